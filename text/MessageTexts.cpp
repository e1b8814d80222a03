// Messages of the main window, of the transfers and of the serial link.
// Each table lists its entries in key order, French first, then English, then Spanish.
// \u00A0 is the no-break space that some texts hold before their colon or question mark.

#include <text/Lookup.h>

namespace text {
namespace {

using detail::Entry;

constexpr Entry kMainMessages[] = {
    // French
    u"Voulez-vous supprimer le programme sélectionné?",
    u"Voulez-vous transférer les programmes au lecteur?",
    u"Programme(s) : ",
    u" sur 255 ",
    u"Etape de finalisation...",
    u"La programmation actuelle a été modifiée. Voulez-vous sauvegarder ces changements?",
    u"Voulez-vous recevoir les programmes du lecteur?",
    u"Voulez-vous charger le fichier projet associé à la programmation actuelle du lecteur? ",
    u"Nom du projet associé : ",
    // English
    u"Do you want to delete the selected program?",
    u"Do you want to transmit the programs to the player?",
    u"Program(s) : ",
    u" to 255 ",
    u"Finalization Step...",
    u"The current programmation has been modified. Do you want to save these changes?",
    u"Do you want to Receive the programs from the player?",
    u"Do you want to load the project file associated to the current programmation of the "
    u"player? ",
    u"Associated Project name\u00A0: ",
    // Spanish
    u"¿Desea eliminar el programa seleccionado\u00A0?",
    u"¿Desea transferir los programas al reproductor\u00A0?",
    u"Programa (s)\u00A0: ",
    u" a 255 ",
    u"Paso de Finalización...",
    u"La programación actual ha sido modificada. ¿Desea guardar los cambios\u00A0?",
    u"¿Desea recibir programas desde el reproductor\u00A0?",
    u"¿Desea cargar el proyecto asociado a la programación actual del reproductor\u00A0?",
    u"Nombre del Proyecto Asociado\u00A0: ",
};

constexpr Entry kProgramLimitMessage[] = {
    // French
    u"Vous ne pouvez pas créer plus de 255 programmes!",
    // English
    u"You cannot create more than 255 programs!",
    // Spanish
    u"¡No es posible crear más de 255 Programas!",
};

// Indexed by the link result code.
constexpr Entry kLinkMessages[] = {
    // French
    u"Transmission sur le port COM OK",
    u"Erreur d'initialisation du port COM",
    u"Erreur d'écriture sur le port COM",
    u"Erreur de lecture sur le port COM",
    u"Erreur d'ouverture du port COM",
    u"Erreur d'accès aux paramètres du port COM",
    u"Erreur de configuration du port COM",
    u"Erreur de Timeout sur le port COM",
    u"Erreur de fermeture du port COM",
    u"Erreur de Transmission : lecteur MP3 non prêt",
    u"Erreur d'écriture en EEPROM",
    u"Erreur de lecture en EEPROM",
    // English
    u"Transmission on COM port OK",
    u"Initialization Error on port COM",
    u"Writing Error on COM port",
    u"Reading Error on COM port",
    u"Opening Error of COM port",
    u"Parameters access Error of COM port",
    u"Setting Error on COM port",
    u"Timeouts Error of port COM",
    u"Closing Error of COM port",
    u"Transmission Error : MP3 player not ready",
    u"Writing in EEPROM Error",
    u"Reading in EEPROM Error",
    // Spanish
    u"Transmisión en puerto COM OK",
    u"Error de Inicialización en puerto COM",
    u"Error de Escritura en puerto COM",
    u"Error de Lectura en puerto COM",
    u"Error de Apertura del puerto COM",
    u"Error de Parámetros de Acceso del puerto COM",
    u"Error de Setting en puerto COM",
    u"Error de TimeOut en puerto COM",
    u"Error de Cierre del puerto COM",
    u"Error de Transmisión\u00A0: El reproductor MP3 no está preparado",
    u"Error de Escritura en la EEPROM",
    u"Error de Lectura en la EEPROM",
};

} // namespace

QString Text(MainMessages key, Language language)
{
    return detail::entry(kMainMessages, key, language);
}

QString Text(ProgramLimitMessage key, Language language)
{
    return detail::entry(kProgramLimitMessage, key, language);
}

QString Text(LinkMessages key, Language language)
{
    return detail::entry(kLinkMessages, key, language);
}

QString LinkMessage(int code, Language language)
{
    // A code outside 0..11 is outside the table and gives an empty string.
    return Text(LinkMessages(code), language);
}

} // namespace text
