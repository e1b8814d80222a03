// picture-sheet: renders every picture of the application with its name, at 1x
// and at 2x (shown pixel for pixel), onto one PNG, to check the drawings by eye.
//
//     picture-sheet sheet.png
//
// Each picture sits on a checkerboard so that its transparent parts show.

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <resources/Pictures.h>
#include <vector>

namespace {

using namespace pictures;

struct Entry
{
    QString name;
    std::function<QPixmap(qreal)> render;
};

struct Section
{
    QString title;
    std::vector<Entry> entries;
};

template <typename Enum> Entry entry(const char *name, Enum value)
{
    return {QString::fromLatin1(name), [value](qreal ratio) { return pixmap(value, ratio); }};
}

std::vector<Section> sections()
{
    std::vector<Section> result;
    result.push_back(
        {QStringLiteral("State pictures"),
         {entry("Selected", StatePicture::Selected),
          entry("NotSelected", StatePicture::NotSelected),
          entry("InputBit0", StatePicture::InputBit0), entry("InputBit1", StatePicture::InputBit1),
          entry("On", StatePicture::On)}});
    result.push_back(
        {QStringLiteral("Panel icons"),
         {entry("TimerHeader", PanelIcon::TimerHeader),
          entry("ActionsHeader", PanelIcon::ActionsHeader),
          entry("CommentBox", PanelIcon::CommentBox), entry("InputsBox", PanelIcon::InputsBox),
          entry("ClockRow", PanelIcon::ClockRow), entry("DateRow", PanelIcon::DateRow),
          entry("EveryDayRow", PanelIcon::EveryDayRow),
          entry("EveryWeekRow", PanelIcon::EveryWeekRow), entry("ActionRow", PanelIcon::ActionRow),
          entry("CompactTimer", PanelIcon::CompactTimer)}});
    Section lists{QStringLiteral("List pictures"), {}};
    for (int i = 0; i < list::Count; ++i) {
        const QString file = listResourcePath(i).section(QLatin1Char('/'), -1);
        lists.entries.push_back(
            {file.chopped(4), [i](qreal ratio) { return listPixmap(i, ratio); }});
    }
    result.push_back(lists);
    result.push_back(
        {QStringLiteral("Toolbar"),
         {entry("Transmit", ToolbarPicture::Transmit), entry("Receive", ToolbarPicture::Receive),
          entry("NewProgram", ToolbarPicture::NewProgram),
          entry("DeleteProgram", ToolbarPicture::DeleteProgram), entry("Cut", ToolbarPicture::Cut),
          entry("Copy", ToolbarPicture::Copy), entry("Paste", ToolbarPicture::Paste),
          entry("Spacer", ToolbarPicture::Spacer),
          entry("WebAddress", ToolbarPicture::WebAddress)}});
    result.push_back({QStringLiteral("Fold buttons and brand"),
                      {entry("Reduce", FoldGlyph::Reduce), entry("Expand", FoldGlyph::Expand),
                       entry("MakerLogo", BrandPicture::MakerLogo)}});
    // The application icon as window frames and task bars show it; its full 256 x
    // 256 drawing is the same file.
    Section icon{QStringLiteral("Application icon"), {}};
    for (int side : {16, 32, 48, 128}) {
        icon.entries.push_back(
            {QStringLiteral("ApplicationIcon %1").arg(side), [side](qreal ratio) {
                 return renderSvg(resourcePath(BrandPicture::ApplicationIcon), QSize(side, side),
                                  ratio);
             }});
    }
    result.push_back(icon);
    return result;
}

constexpr int SheetWidth = 1400;
constexpr int Margin = 16;
constexpr int Gap = 12;
constexpr int NameHeight = 18;
constexpr int TitleHeight = 28;

void checkerboard(QPainter &p, const QRect &r)
{
    const int cell = 4;
    p.save();
    p.setClipRect(r);
    for (int y = r.top(); y <= r.bottom(); y += cell)
        for (int x = r.left(); x <= r.right(); x += cell)
            p.fillRect(x, y, cell, cell,
                       ((x - r.left()) / cell + (y - r.top()) / cell) % 2
                           ? QColor(0xd8, 0xd8, 0xd8)
                           : QColor(0xf4, 0xf4, 0xf4));
    p.restore();
}

// Size of one cell: the 1x picture and, beside it, the 2x picture at its device size.
QSize cellSize(const Entry &e)
{
    const QPixmap two = e.render(2.0);
    const QSize big = two.size(); // device pixels
    return {big.width() / 2 + Gap / 2 + big.width(), big.height() + NameHeight};
}

void paintCell(QPainter &p, const Entry &e, QPoint at)
{
    const QPixmap one = e.render(1.0);
    QPixmap two = e.render(2.0);
    const QSize small = one.deviceIndependentSize().toSize();
    const QRect r1(at, small);
    const QRect r2(QPoint(at.x() + small.width() + Gap / 2, at.y()), two.size());
    checkerboard(p, r1);
    checkerboard(p, r2);
    p.drawPixmap(r1.topLeft(), one);
    two.setDevicePixelRatio(1.0); // show the 2x picture pixel for pixel
    p.drawPixmap(r2.topLeft(), two);
    p.setPen(Qt::black);
    p.drawText(QRect(at.x(), at.y() + r2.height() + 2, r2.right() - at.x() + 60, NameHeight - 2),
               Qt::AlignLeft | Qt::AlignTop, e.name);
}

QImage paintSheet(const std::vector<Section> &all)
{
    // First pass measures, second pass paints.
    QImage sheet;
    for (int pass = 0; pass < 2; ++pass) {
        QPainter p;
        if (pass == 1) {
            p.begin(&sheet);
            p.setFont(QFont(QStringLiteral("sans-serif"), 9));
        }
        int y = Margin;
        for (const Section &s : all) {
            if (pass == 1) {
                QFont bold = p.font();
                bold.setBold(true);
                p.save();
                p.setFont(bold);
                p.drawText(Margin, y + 18, s.title);
                p.restore();
            }
            y += TitleHeight;
            int x = Margin;
            int rowHeight = 0;
            for (const Entry &e : s.entries) {
                QSize c = cellSize(e);
                c.setWidth(qMax(c.width(), 110));
                if (x + c.width() > SheetWidth - Margin && x > Margin) {
                    x = Margin;
                    y += rowHeight + Gap;
                    rowHeight = 0;
                }
                if (pass == 1)
                    paintCell(p, e, QPoint(x, y));
                x += c.width() + Gap * 2;
                rowHeight = qMax(rowHeight, c.height());
            }
            y += rowHeight + Gap * 2;
        }
        if (pass == 0) {
            sheet = QImage(SheetWidth, y + Margin, QImage::Format_ARGB32_Premultiplied);
            sheet.fill(Qt::white);
        }
    }
    return sheet;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: picture-sheet OUT.png\n");
        return 2;
    }
    const QImage sheet = paintSheet(sections());
    if (!sheet.save(args.at(1), "PNG")) {
        std::fprintf(stderr, "picture-sheet: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
