#pragma once

class QWidget;

// A window the user may never open is made the first time it is wanted:
// making them all before the main window shows would delay the start.
template <class Window> Window *madeOnUse(Window *&window, QWidget *parent)
{
    if (!window)
        window = new Window(parent);
    return window;
}
