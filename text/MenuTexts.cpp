// Toolbar hints and menu captions of the main window.
// Each table lists its entries in key order, French first, then English, then Spanish.

#include <text/Lookup.h>

namespace text {
namespace {

using detail::Entry;

constexpr Entry kToolbarHints[] = {
    // French
    u"Transmettre les programmes au lecteur",
    u"Recevoir les programmes du lecteur",
    u"Créer un nouveau programme",
    u"Supprimer un programme",
    // English
    u"Transmit the programs to the player",
    u"Receive the programs from the player",
    u"Create a new program",
    u"Delete a program",
    // Spanish
    u"Transferir programas al reproductor",
    u"Recibir programas desde el reproductor",
    u"Crear un nuevo programa",
    u"Borrar un programa",
};

constexpr Entry kFileMenuTexts[] = {
    // French
    u"&Fichier",
    u"&Nouveau Projet",
    u"&Propriétés du Projet...",
    u"&Ouvrir",
    u"&Enregistrer",
    u"Enregistrer &sous...",
    u"E&xporter",
    u"&Quitter",
    // English
    u"&File",
    u"&New Project",
    u"&Project Properties...",
    u"&Open",
    u"&Save",
    u"Save &as...",
    u"&Export",
    u"E&xit",
    // Spanish
    u"&Archivo",
    u"&Nuevo Proyecto",
    u"&Propiedades de Proyecto...",
    u"A&brir",
    u"&Guardar",
    u"Guardar &como...",
    u"&Exportar",
    u"&Salir",
};

constexpr Entry kEditMenuTexts[] = {
    // French
    u"&Edition",
    u"&Nouveau Program",
    u"&Supprimer Program",
    u"&Couper",
    u"C&opier",
    u"Co&ller",
    // English
    u"&Edit",
    u"&New Program",
    u"&Delete Program",
    u"&Cut",
    u"C&opy",
    u"&Paste",
    // Spanish
    u"&Editar",
    u"&Nuevo Programa",
    u"&Borrar Programa",
    u"&Cortar",
    u"C&opiar",
    u"&Pegar",
};

constexpr Entry kRS232MenuTexts[] = {
    // French
    u"&RS232",
    u"&Transmettre les programmes",
    u"&Recevoir les programmes",
    u"&COM Port",
    u"Com&1",
    u"Com&2",
    u"Com&3",
    u"Com&4",
    u"Com&5",
    u"Com&6",
    // English
    u"&RS232",
    u"&Transmit the Programs",
    u"&Receive the Programs",
    u"&Port COM",
    u"Com&1",
    u"Com&2",
    u"Com&3",
    u"Com&4",
    u"Com&5",
    u"Com&6",
    // Spanish
    u"&RS232",
    u"&Transferir Programas4",
    u"&Recibir Programas4",
    u"&Puerto COM",
    u"Com&1",
    u"Com&2",
    u"Com&3",
    u"Com&4",
    u"Com&5",
    u"Com&6",
};

constexpr Entry kLanguageMenuTexts[] = {
    // French
    u"&Langue",
    u"&English",
    u"&Français",
    u"E&spañol",
    // English
    u"&Language",
    u"&English",
    u"&Français",
    u"E&spañol",
    // Spanish
    u"&Idioma",
    u"&English",
    u"&Français",
    u"E&spañol",
};

// The Spanish captions have no mnemonic.
constexpr Entry kHelpMenuTexts[] = {
    // French
    u"&Aide",
    u"&A propos...",
    // English
    u"&Help",
    u"&About...",
    // Spanish
    u"Ayuda",
    u"Sobre...",
};

} // namespace

QString Text(ToolbarHints key, Language language)
{
    return detail::entry(kToolbarHints, key, language);
}

QString Text(FileMenuTexts key, Language language)
{
    return detail::entry(kFileMenuTexts, key, language);
}

QString Text(EditMenuTexts key, Language language)
{
    return detail::entry(kEditMenuTexts, key, language);
}

QString Text(RS232MenuTexts key, Language language)
{
    return detail::entry(kRS232MenuTexts, key, language);
}

QString Text(LanguageMenuTexts key, Language language)
{
    return detail::entry(kLanguageMenuTexts, key, language);
}

QString Text(HelpMenuTexts key, Language language)
{
    return detail::entry(kHelpMenuTexts, key, language);
}

} // namespace text
