#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>
#include <resources/ListGlyphs.h>

// The pictures of the application, drawn as SVG and handed out by role.
//
// Every picture has a fixed logical size (the size the windows lay it out at). A
// pixmap is rendered at that size times the device pixel ratio asked for and
// carries that ratio, so it paints crisp at any screen scaling. Rendered pixmaps
// are cached; asking again for the same picture and ratio returns the cached one.
//
// Pixmaps and icons need a QGuiApplication and are for the GUI thread only.
// Transparency is the pictures' own alpha channel; nothing uses a key colour.
namespace pictures {

// 32 x 32: the pictures the program panel switches between to show a flag, a
// choice or an input bit.
enum class StatePicture
{
    Selected,    // red tick in a box: priority on, the chosen date mode
    NotSelected, // empty box: priority, activate, timer off; the date modes not chosen
    InputBit0,   // empty light box
    InputBit1,   // box with a filled dot
    On,          // green tick: activate on, timer on
};
inline constexpr int StatePictureCount = 5;

// 32 x 32: the fixed icons of the program panel and of the compact program row.
enum class PanelIcon
{
    TimerHeader,   // calendar with a clock, at the timer box heading
    ActionsHeader, // stack of numbered discs, at the actions box heading
    CommentBox,    // notebook with a pen
    InputsBox,     // small device
    ClockRow,      // clock
    DateRow,       // calendar with one day marked
    EveryDayRow,   // calendar with every day marked
    EveryWeekRow,  // calendar with one weekday column marked
    ActionRow,     // folder with a numbered disc, on each of the six action rows
    CompactTimer,  // the compact row's timer picture (the timer header's drawing)
};
inline constexpr int PanelIconCount = 10;

// The toolbar's pictures: buttons and spacers are 40 x 40, the web address 208 x 40.
enum class ToolbarPicture
{
    Transmit, // to the player
    Receive,  // from the player
    NewProgram,
    DeleteProgram,
    Cut,
    Copy,
    Paste,
    Spacer,     // empty: the gap between button groups
    WebAddress, // the maker's web address, www.varno-audio.example
};
inline constexpr int ToolbarPictureCount = 9;

// 27 x 17: the glyphs of the button that folds a program panel and unfolds a row.
enum class FoldGlyph
{
    Reduce, // grey upward triangle
    Expand, // grey downward triangle
};
inline constexpr int FoldGlyphCount = 2;

// The application icon (square, 256 x 256 logical) and the maker's logo of the
// About box (128 x 54).
enum class BrandPicture
{
    ApplicationIcon,
    MakerLogo,
};
inline constexpr int BrandPictureCount = 2;

// 16 x 16: the pictures of the action, value and program number menus and of
// the action buttons, by index: see ListGlyphs.h.

// Logical sizes.
QSize logicalSize(StatePicture picture);
QSize logicalSize(PanelIcon icon);
QSize logicalSize(ToolbarPicture picture);
QSize logicalSize(FoldGlyph glyph);
QSize logicalSize(BrandPicture picture);
QSize listPictureSize(); // 16 x 16

// The SVG file in the application's resources (":/..."). A list index outside
// 0..20 gives an empty string.
QString resourcePath(StatePicture picture);
QString resourcePath(PanelIcon icon);
QString resourcePath(ToolbarPicture picture);
QString resourcePath(FoldGlyph glyph);
QString resourcePath(BrandPicture picture);
QString listResourcePath(int index);

// The folder of the resources that holds every picture file (":/...").
QString resourceRoot();

// Pixmaps of logicalSize() x devicePixelRatio device pixels, carrying that ratio.
// A ratio below 0.1 or a list index outside 0..20 gives a null pixmap.
QPixmap pixmap(StatePicture picture, qreal devicePixelRatio = 1.0);
QPixmap pixmap(PanelIcon icon, qreal devicePixelRatio = 1.0);
QPixmap pixmap(ToolbarPicture picture, qreal devicePixelRatio = 1.0);
QPixmap pixmap(FoldGlyph glyph, qreal devicePixelRatio = 1.0);
QPixmap pixmap(BrandPicture picture, qreal devicePixelRatio = 1.0);
QPixmap listPixmap(int index, qreal devicePixelRatio = 1.0);

// Icons holding the 1x and 2x pixmaps. A list index outside 0..20 gives a null icon.
QIcon listIcon(int index);
QIcon toolbarIcon(ToolbarPicture picture);
QIcon foldIcon(FoldGlyph glyph);
// The application icon at 16, 24, 32, 48, 64, 128 and 256 pixels.
QIcon applicationIcon();

// A pixmap of any picture file, e.g. resourcePath(...), rendered at logicalSize x
// devicePixelRatio and cached like the others. A file that is not a valid SVG
// gives a null pixmap.
QPixmap renderSvg(const QString &path, QSize logicalSize, qreal devicePixelRatio);

} // namespace pictures
