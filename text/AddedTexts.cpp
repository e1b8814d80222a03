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
    {AddedTexts::RecoverChanges, u"récupérer les modifications non enregistrées de %1 du %2 ?",
     u"recover the unsaved changes of %1 from %2?",
     u"¿recuperar los cambios no guardados de %1 del %2?"},
    {AddedTexts::OpenElsewhere,
     u"%1 est déjà ouvert dans un autre VARNO Programmer (processus %2 sur %3). L'ouvrir "
     u"quand même ?",
     u"%1 is already open in another VARNO Programmer (process %2 on %3). Open it anyway?",
     u"%1 ya está abierto en otro VARNO Programmer (proceso %2 en %3). ¿Abrirlo de todos "
     u"modos?"},
    {AddedTexts::OpenReadOnly,
     u"L'ouvrir en lecture seule ? Enregistrer demandera alors un autre nom de fichier. Non "
     u"l'ouvre en écriture : un enregistrement peut alors écraser le travail de l'autre "
     u"programmeur.",
     u"Open it read-only? Save will then ask for another file name. No opens it for writing: "
     u"a save may then write over the other programmer's work.",
     u"¿Abrirlo en solo lectura? Guardar pedirá entonces otro nombre de archivo. No lo abre en "
     u"escritura: al guardar se puede sobrescribir el trabajo del otro programador."},
    {AddedTexts::ReadOnlyMark, u" (lecture seule)", u" (read-only)", u" (solo lectura)"},
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
