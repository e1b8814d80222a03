#pragma once

#include <QString>
#include <text/Language.h>

// How an action slot reads on its buttons, in a given language.
namespace varno::actions {

inline constexpr int NoGlyph = -1;

struct ActionCaption
{
    QString text;          // the action button
    int glyph = NoGlyph;   // index into the list pictures
    bool hasValue = false; // only external outputs show their value button
    QString valueText;     // "Value : 128"
    int valueGlyph = NoGlyph;
};

ActionCaption CaptionOf(quint8 kind, quint8 number, quint8 value, text::Language language);

// The glyph of transport command 1..10; any other number reads as "Play".
int TransportGlyph(int command);

} // namespace varno::actions
