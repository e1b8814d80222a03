#pragma once

#include <QDialog>
#include <QtGlobal>
#include <text/Language.h>

class QFrame;
class QLabel;
class QPushButton;

// The About box: the maker's logo, the product title, the version and the maker's
// web address. Every time it is shown it takes its title and texts from the texts
// of Language. OK (the default button), Escape and the window frame close it.
//
// Controls (objectName = member name), client area 394 x 124:
//   Bevel1        bevelled frame around the logo and the texts
//   Image1        the maker's logo, 128 x 54
//   StaticText1   product title      StaticText2   version
//   StaticText3   web address        OKBtn         "OK"
class TForm2 : public QDialog
{
    Q_OBJECT

public:
    static constexpr int ClientWidth = 394;
    static constexpr int ClientHeight = 124;

    explicit TForm2(QWidget *parent = nullptr);

    text::Language Language =
        text::English; // 1 French, 2 English, 3 Spanish; set by the main window

    QFrame *Bevel1;
    QLabel *Image1;
    QLabel *StaticText1;
    QLabel *StaticText2;
    QLabel *StaticText3;
    QPushButton *OKBtn;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormActivate();
};
