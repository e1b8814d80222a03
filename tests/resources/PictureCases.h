#pragma once

// Every picture the library hands out, as one list the tests walk through.

#include <QImage>
#include <functional>
#include <ostream>
#include <resources/Pictures.h>
#include <string>
#include <vector>

struct PictureCase
{
    std::string name; // a valid test name: letters, digits and '_'
    QString path;     // the resource file
    QSize logical;
    bool empty; // drawn to be fully transparent
    std::function<QPixmap(qreal)> render;
};

// Names a case in failure messages.
inline void PrintTo(const PictureCase &c, std::ostream *os)
{
    *os << c.name;
}

inline std::vector<PictureCase> allPictureCases()
{
    using namespace pictures;
    std::vector<PictureCase> cases;
    auto add = [&cases](std::string name, auto role, bool empty = false) {
        cases.push_back({std::move(name), resourcePath(role), logicalSize(role), empty,
                         [role](qreal ratio) { return pixmap(role, ratio); }});
    };
    add("State_Selected", StatePicture::Selected);
    add("State_NotSelected", StatePicture::NotSelected);
    add("State_InputBit0", StatePicture::InputBit0);
    add("State_InputBit1", StatePicture::InputBit1);
    add("State_On", StatePicture::On);
    add("Panel_TimerHeader", PanelIcon::TimerHeader);
    add("Panel_ActionsHeader", PanelIcon::ActionsHeader);
    add("Panel_CommentBox", PanelIcon::CommentBox);
    add("Panel_InputsBox", PanelIcon::InputsBox);
    add("Panel_ClockRow", PanelIcon::ClockRow);
    add("Panel_DateRow", PanelIcon::DateRow);
    add("Panel_EveryDayRow", PanelIcon::EveryDayRow);
    add("Panel_EveryWeekRow", PanelIcon::EveryWeekRow);
    add("Panel_ActionRow", PanelIcon::ActionRow);
    add("Panel_CompactTimer", PanelIcon::CompactTimer);
    add("Toolbar_Transmit", ToolbarPicture::Transmit);
    add("Toolbar_Receive", ToolbarPicture::Receive);
    add("Toolbar_NewProgram", ToolbarPicture::NewProgram);
    add("Toolbar_DeleteProgram", ToolbarPicture::DeleteProgram);
    add("Toolbar_Cut", ToolbarPicture::Cut);
    add("Toolbar_Copy", ToolbarPicture::Copy);
    add("Toolbar_Paste", ToolbarPicture::Paste);
    add("Toolbar_Spacer", ToolbarPicture::Spacer, true);
    add("Toolbar_WebAddress", ToolbarPicture::WebAddress);
    add("Fold_Reduce", FoldGlyph::Reduce);
    add("Fold_Expand", FoldGlyph::Expand);
    add("Brand_ApplicationIcon", BrandPicture::ApplicationIcon);
    add("Brand_MakerLogo", BrandPicture::MakerLogo);
    for (int i = 0; i < list::Count; ++i) {
        cases.push_back({"List_" + std::to_string(i), listResourcePath(i), listPictureSize(),
                         i == list::Blank, [i](qreal ratio) { return listPixmap(i, ratio); }});
    }
    return cases;
}

// The pixmap's pixels in one known format, for comparing and inspecting.
inline QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}
