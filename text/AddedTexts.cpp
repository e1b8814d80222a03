// Texts the programmer adds to the original tables: messages and menu items of
// its own. Same layout: French first, then English, then Spanish.

#include <text/Lookup.h>

namespace text {
namespace {

using detail::Entry;

constexpr Entry kAddedTexts[] = {
    // French
    u"La date ou l'heure enregistrée dans le lecteur n'existait pas pour ces programmes ; "
    u"ils ont reçu la date et l'heure actuelles : ",
    u"&Vérif...",
    u"Autres ports",
    // English
    u"The date or time stored in the player did not exist for these programs; they were "
    u"given the current date and time: ",
    u"&Vérif...",
    u"Other ports",
    // Spanish
    u"La fecha o la hora guardada en el reproductor no existía para estos programas; se les "
    u"dio la fecha y la hora actuales: ",
    u"&Vérif...",
    u"Otros puertos",
};

} // namespace

QString Text(AddedTexts key, quint8 language)
{
    return detail::entry(kAddedTexts, key, language);
}

} // namespace text
