// Texts the programmer adds to the original tables: messages and menu items of
// its own. One row a key, in the order of the enumeration, with its French,
// English and Spanish texts side by side.

#include <text/Lookup.h>

namespace text {
namespace {

using detail::Entry;

struct Row
{
    AddedTexts key;
    Entry french, english, spanish;
};

constexpr Row kAddedTexts[] = {
    {AddedTexts::ScheduleReset,
     u"La date ou l'heure enregistrée dans le lecteur n'existait pas pour ces programmes ; "
     u"elle a été remplacée par la date ou l'heure actuelle : ",
     u"The date or time stored in the player did not exist for these programs; it was "
     u"replaced by the current date or time: ",
     u"La fecha o la hora guardada en el reproductor no existía para estos programas; se "
     u"reemplazó por la fecha o la hora actual: "},
    {AddedTexts::VerifyBlock, u"&Vérif...", u"&Verify...", u"&Verificar..."},
    {AddedTexts::OtherPorts, u"Autres ports", u"Other ports", u"Otros puertos"},
    {AddedTexts::ProgressCaption, u"Progression", u"Progress", u"Progreso"},
    {AddedTexts::UnstorableCharacters,
     u"Ce caractère ne peut pas être enregistré dans le fichier du projet.",
     u"This character cannot be stored in the project file.",
     u"Este carácter no se puede guardar en el archivo del proyecto."},
};

constexpr bool rowsInKeyOrder()
{
    int i = 0;
    for (const Row &row : kAddedTexts)
        if (int(row.key) != i++)
            return false;
    return i == KeyCount<AddedTexts>;
}
static_assert(rowsInKeyOrder(), "one row per added text, in the order of the keys");

} // namespace

QString Text(AddedTexts key, quint8 language)
{
    const int k = int(key);
    if (k < 0 || k >= KeyCount<AddedTexts>)
        return {};
    const Row &row = kAddedTexts[k];
    // A language out of range gets the start-up language, as in the other tables.
    static_assert(StartupLanguage == English);
    const Entry text = language == French    ? row.french
                       : language == Spanish ? row.spanish
                                             : row.english;
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

} // namespace text
