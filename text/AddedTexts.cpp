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
     u"ils ont reçu la date et l'heure actuelles : ",
     u"The date or time stored in the player did not exist for these programs; they were "
     u"given the current date and time: ",
     u"La fecha o la hora guardada en el reproductor no existía para estos programas; se "
     u"les dio la fecha y la hora actuales: "},
    {AddedTexts::VerifyBlock, u"&Vérif...", u"&Vérif...", u"&Vérif..."},
    {AddedTexts::OtherPorts, u"Autres ports", u"Other ports", u"Otros puertos"},
    {AddedTexts::TransferCancelled, u"Le transfert a été annulé.", u"The transfer was cancelled.",
     u"Se canceló la transferencia."},
    {AddedTexts::BackupBeforeTransmit, u"Sauvegarde avant transmission", u"Backup before transmit",
     u"Copia de seguridad antes de transmitir"},
    {AddedTexts::VerifyAfterTransmit, u"Vérification après transmission", u"Verify after transmit",
     u"Verificar después de transmitir"},
    {AddedTexts::VerifyPlayer, u"Vérifier le lecteur", u"Verify player",
     u"Verificar el reproductor"},
    {AddedTexts::OpenBackup, u"Ouvrir une sauvegarde...", u"Open backup...",
     u"Abrir copia de seguridad..."},
    {AddedTexts::PhaseBackup, u"Sauvegarde", u"Backup", u"Copia de seguridad"},
    {AddedTexts::PhaseVerify, u"Vérification", u"Verify", u"Verificación"},
    {AddedTexts::CancelButton, u"Annuler", u"Cancel", u"Cancelar"},
    {AddedTexts::BackupFailed,
     u"La sauvegarde du lecteur a échoué ; rien n'a été écrit dans le lecteur. Vous pouvez "
     u"désactiver « Sauvegarde avant transmission » dans le menu RS232 et transmettre quand même.",
     u"The backup of the player failed; nothing was written to the player. You may turn off "
     u"\"Backup before transmit\" in the RS232 menu and transmit anyway.",
     u"La copia de seguridad del reproductor falló; no se escribió nada en el reproductor. Puede "
     u"desactivar «Copia de seguridad antes de transmitir» en el menú RS232 y transmitir de todos "
     u"modos."},
    {AddedTexts::Verified, u"Vérifié", u"Verified", u"Verificado"},
    {AddedTexts::TransmitCancelled,
     u"Transmission annulée : le lecteur contient maintenant une partie des nouveaux programmes.",
     u"Transmit cancelled: the player now holds part of the new programs.",
     u"Transmisión cancelada: el reproductor contiene ahora parte de los nuevos programas."},
    {AddedTexts::TransmitBackupQuestion, u"Transmettre la sauvegarde faite avant la transmission ?",
     u"Transmit the backup made before the transmit?",
     u"¿Transmitir la copia de seguridad hecha antes de la transmisión?"},
    {AddedTexts::ComparisonTitle, u"Différences avec le lecteur", u"Differences with the player",
     u"Diferencias con el reproductor"},
    {AddedTexts::ProgramColumn, u"Programme", u"Program", u"Programa"},
    {AddedTexts::FieldColumn, u"Champ", u"Field", u"Campo"},
    {AddedTexts::SentColumn, u"Valeur envoyée", u"Value sent", u"Valor enviado"},
    {AddedTexts::ReadColumn, u"Valeur lue", u"Value read", u"Valor leído"},
    {AddedTexts::PlayerMatches, u"Le lecteur contient exactement ce projet.",
     u"The player holds exactly this project.",
     u"El reproductor contiene exactamente este proyecto."},
    {AddedTexts::FieldPresence, u"Programme présent", u"Program present", u"Programa presente"},
    {AddedTexts::FieldNumber, u"Numéro", u"Number", u"Número"},
    {AddedTexts::FieldActionCount, u"Nombre d'actions", u"Action count", u"Número de acciones"},
    {AddedTexts::FieldTimerOn, u"Minuterie", u"Timer on", u"Temporizador"},
    {AddedTexts::FieldActive, u"Actif", u"Active", u"Activo"},
    {AddedTexts::FieldDateMode, u"Mode de date", u"Date mode", u"Modo de fecha"},
    {AddedTexts::FieldPrioritary, u"Prioritaire", u"Prioritary", u"Prioritario"},
    {AddedTexts::FieldActionKind, u"Action %1 : type", u"Action %1 kind", u"Acción %1: tipo"},
    {AddedTexts::FieldActionNumber, u"Action %1 : numéro", u"Action %1 number",
     u"Acción %1: número"},
    {AddedTexts::FieldActionValue, u"Action %1 : valeur", u"Action %1 value", u"Acción %1: valor"},
    {AddedTexts::FieldWeekDay, u"Jour de la semaine", u"Weekday", u"Día de la semana"},
    {AddedTexts::FieldDate, u"Date", u"Date", u"Fecha"},
    {AddedTexts::FieldHour, u"Heure", u"Hour", u"Hora"},
    {AddedTexts::FieldMinute, u"Minute", u"Minute", u"Minuto"},
    {AddedTexts::FieldName, u"Nom du projet", u"Project name", u"Nombre del proyecto"},
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
