// The texts themselves, character for character, in the three languages.

#include "TextTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace text;
using texttest::at;
using texttest::q;

// One row of a table: its French, English and Spanish texts.
template <class Table>
void expectRow(Table key, const char16_t *french, const char16_t *english, const char16_t *spanish)
{
    SCOPED_TRACE(testing::PrintToString(at(key, Language(0))));
    EXPECT_EQ(Text(key, French), q(french));
    EXPECT_EQ(Text(key, English), q(english));
    EXPECT_EQ(Text(key, Spanish), q(spanish));
}

void expectLinkMessage(int code, const char16_t *english, const char16_t *french,
                       const char16_t *spanish)
{
    SCOPED_TRACE(testing::Message() << "link result code " << code);
    EXPECT_EQ(LinkMessage(code, English), q(english));
    EXPECT_EQ(LinkMessage(code, French), q(french));
    EXPECT_EQ(LinkMessage(code, Spanish), q(spanish));
}

TEST(TextContent, linkMessageOfEveryResultCode)
{
    expectLinkMessage(0, u"Transmission on COM port OK", u"Transmission sur le port COM OK",
                      u"Transmisión en puerto COM OK");
    expectLinkMessage(1, u"Initialization Error on port COM",
                      u"Erreur d'initialisation du port COM",
                      u"Error de Inicialización en puerto COM");
    expectLinkMessage(2, u"Writing Error on COM port", u"Erreur d'écriture sur le port COM",
                      u"Error de Escritura en puerto COM");
    expectLinkMessage(3, u"Reading Error on COM port", u"Erreur de lecture sur le port COM",
                      u"Error de Lectura en puerto COM");
    expectLinkMessage(4, u"Opening Error of COM port", u"Erreur d'ouverture du port COM",
                      u"Error de Apertura del puerto COM");
    expectLinkMessage(5, u"Parameters access Error of COM port",
                      u"Erreur d'accès aux paramètres du port COM",
                      u"Error de Parámetros de Acceso del puerto COM");
    expectLinkMessage(6, u"Setting Error on COM port", u"Erreur de configuration du port COM",
                      u"Error de Setting en puerto COM");
    expectLinkMessage(7, u"Timeouts Error of port COM", u"Erreur de Timeout sur le port COM",
                      u"Error de TimeOut en puerto COM");
    expectLinkMessage(8, u"Closing Error of COM port", u"Erreur de fermeture du port COM",
                      u"Error de Cierre del puerto COM");
    expectLinkMessage(9, u"Transmission Error : MP3 player not ready",
                      u"Erreur de Transmission : lecteur MP3 non prêt",
                      u"Error de Transmisión\u00A0: El reproductor MP3 no está preparado");
    expectLinkMessage(10, u"Writing in EEPROM Error", u"Erreur d'écriture en EEPROM",
                      u"Error de Escritura en la EEPROM");
    expectLinkMessage(11, u"Reading in EEPROM Error", u"Erreur de lecture en EEPROM",
                      u"Error de Lectura en la EEPROM");
}

TEST(TextContent, linkMessageKeysNameTheirCodes)
{
    EXPECT_EQ(Text(LinkMessages::LinkOk, English), q(u"Transmission on COM port OK"));
    EXPECT_EQ(Text(LinkMessages::LinkParamAccessError, French),
              q(u"Erreur d'accès aux paramètres du port COM"));
    EXPECT_EQ(Text(LinkMessages::LinkPlayerNotReady, Spanish),
              q(u"Error de Transmisión\u00A0: El reproductor MP3 no está preparado"));
    EXPECT_EQ(Text(LinkMessages::LinkEepromReadError, English), q(u"Reading in EEPROM Error"));
}

TEST(TextContent, weekdaysStartOnMonday)
{
    const char16_t *const expected[7][3] = {
        {u"Lundi", u"Monday", u"Lunes"},           {u"Mardi", u"Tuesday", u"Martes"},
        {u"Mercredi", u"Wednesday", u"Miércoles"}, {u"Jeudi", u"Thursday", u"Jueves"},
        {u"Vendredi", u"Friday", u"Viernes"},      {u"Samedi", u"Saturday", u"Sábado"},
        {u"Dimanche", u"Sunday", u"Domingo"},
    };
    for (int weekday = 1; weekday <= 7; ++weekday) {
        SCOPED_TRACE(testing::Message() << "weekday " << weekday);
        EXPECT_EQ(DayName(weekday, French), q(expected[weekday - 1][0]));
        EXPECT_EQ(DayName(weekday, English), q(expected[weekday - 1][1]));
        EXPECT_EQ(DayName(weekday, Spanish), q(expected[weekday - 1][2]));
    }
    expectRow(DayNames::Monday, u"Lundi", u"Monday", u"Lunes");
    expectRow(DayNames::Sunday, u"Dimanche", u"Sunday", u"Domingo");
}

TEST(TextContent, transportCommandNamesInMenuOrder)
{
    const char16_t *const expected[] = {u"SONG", u"Play", u"Pause", u"Stop", u"FWD",     u"RWD",
                                        u"DIR+", u"DIR-", u"VOL+",  u"VOL-", u"USB Mode"};
    for (int entry = 0; entry < 11; ++entry)
        EXPECT_EQ(TransportCommandName(entry), q(expected[entry])) << "entry " << entry;
}

// The first and the last key of every table pin the layout of its three languages.
TEST(TextContent, firstAndLastEntryOfEveryTable)
{
    expectRow(ToolbarHints::TransmitHint, u"Transmettre les programmes au lecteur",
              u"Transmit the programs to the player", u"Transferir programas al reproductor");
    expectRow(ToolbarHints::DeleteProgramHint, u"Supprimer un programme", u"Delete a program",
              u"Borrar un programa");
    expectRow(FileMenuTexts::FileMenu, u"&Fichier", u"&File", u"&Archivo");
    expectRow(FileMenuTexts::Exit, u"&Quitter", u"E&xit", u"&Salir");
    expectRow(EditMenuTexts::EditMenu, u"&Edition", u"&Edit", u"&Editar");
    expectRow(EditMenuTexts::Paste, u"Co&ller", u"&Paste", u"&Pegar");
    expectRow(RS232MenuTexts::RS232Menu, u"&RS232", u"&RS232", u"&RS232");
    expectRow(RS232MenuTexts::Com6, u"Com&6", u"Com&6", u"Com&6");
    expectRow(LanguageMenuTexts::LanguageMenu, u"&Langue", u"&Language", u"&Idioma");
    expectRow(LanguageMenuTexts::Spanish, u"E&spañol", u"E&spañol", u"E&spañol");
    expectRow(HelpMenuTexts::HelpMenu, u"&Aide", u"&Help", u"Ayuda");
    expectRow(HelpMenuTexts::About, u"&A propos...", u"&About...", u"Sobre...");
    expectRow(ProjectPropertiesTexts::PropertiesCaption, u"Propriétés du Projet",
              u"Project Properties", u"Propiedades de Proyecto");
    expectRow(ProjectPropertiesTexts::CancelButton, u"Annuler", u"Cancel", u"Anular");
    expectRow(AboutTexts::AboutCaption, u"A propos de VARNO Programmer",
              u"About VARNO \"Quillon\" Programmer", u"Sobre el Porgramador \"Quillon\" de VARNO");
    expectRow(AboutTexts::AboutWebAddress, u"www.varno-audio.example", u"www.varno-audio.example",
              u"www.varno-audio.example");
    expectRow(MainMessages::DeleteConfirm, u"Voulez-vous supprimer le programme sélectionné?",
              u"Do you want to delete the selected program?",
              u"¿Desea eliminar el programa seleccionado\u00A0?");
    expectRow(MainMessages::AssociatedProjectName, u"Nom du projet associé : ",
              u"Associated Project name\u00A0: ", u"Nombre del Proyecto Asociado\u00A0: ");
    expectRow(ProgramLimitMessage::TooManyPrograms,
              u"Vous ne pouvez pas créer plus de 255 programmes!",
              u"You cannot create more than 255 programs!",
              u"¡No es posible crear más de 255 Programas!");
    expectRow(PanelTexts::ActivateLabel, u"             Activer", u"             Activate",
              u"             Activar");
    expectRow(PanelTexts::ActionsLabel, u"             Actions :", u"             Actions :",
              u"             Acciones");
    expectRow(ActionTexts::NoAction, u"Pas d'Action...", u"No Action...", u"Ninguna Acción...");
    expectRow(ActionTexts::SendEmail, u"Envoie d'un EMail", u"Send EMail", u"Send EMail");
    expectRow(ScheduleTexts::DatePrefix, u"Le : ", u"Date : ", u"Fecha : ");
    expectRow(ScheduleTexts::AtPrefix, u" - A : ", u" - At : ", u"- A las : ");
}

TEST(TextContent, spanishTransferMenuCaptionsEndInTheDigitFour)
{
    EXPECT_EQ(Text(RS232MenuTexts::Transmit, Spanish), q(u"&Transferir Programas4"));
    EXPECT_EQ(Text(RS232MenuTexts::Receive, Spanish), q(u"&Recibir Programas4"));
    EXPECT_EQ(Text(RS232MenuTexts::Transmit, English), q(u"&Transmit the Programs"));
    EXPECT_EQ(Text(RS232MenuTexts::Receive, French), q(u"&Recevoir les programmes"));
}

TEST(TextContent, comPortMenuCaptionIsPortComInEnglishAndComPortInFrench)
{
    expectRow(RS232MenuTexts::ComPortMenu, u"&COM Port", u"&Port COM", u"&Puerto COM");
}

TEST(TextContent, progressTitleFramesTheProgramNumber)
{
    const auto title = [](text::Language language) {
        return Text(MainMessages::ProgressPrefix, language) + QString::number(7) +
               Text(MainMessages::ProgressSuffix, language);
    };
    EXPECT_EQ(title(English), q(u"Program(s) : 7 to 255 "));
    EXPECT_EQ(title(French), q(u"Programme(s) : 7 sur 255 "));
    EXPECT_EQ(title(Spanish), q(u"Programa (s)\u00A0: 7 a 255 "));
}

TEST(TextContent, questionAfterAReceiveIsTheConfirmationThenTheNameLabel)
{
    const auto question = [](text::Language language) {
        return Text(MainMessages::LoadAssociatedProjectConfirm, language) +
               Text(MainMessages::AssociatedProjectName, language) + QStringLiteral("Expo");
    };
    EXPECT_EQ(question(English), q(u"Do you want to load the project file associated to the "
                                   u"current programmation of the player? Associated Project "
                                   u"name\u00A0: Expo"));
    EXPECT_EQ(question(French), q(u"Voulez-vous charger le fichier projet associé à la "
                                  u"programmation actuelle du lecteur? Nom du projet associé : "
                                  u"Expo"));
    EXPECT_EQ(question(Spanish), q(u"¿Desea cargar el proyecto asociado a la programación "
                                   u"actual del reproductor\u00A0?Nombre del Proyecto "
                                   u"Asociado\u00A0: Expo"));
}

TEST(TextContent, spanishDeleteConfirmHasANoBreakSpaceBeforeItsQuestionMark)
{
    const QString text = Text(MainMessages::DeleteConfirm, Spanish);
    ASSERT_TRUE(text.endsWith(QStringLiteral("\u00A0?")));
    EXPECT_FALSE(text.endsWith(QStringLiteral(" ?")));
    EXPECT_EQ(text.count(QChar(0x00A0)), 1);
}

TEST(TextContent, entriesThatReadTheSameInEveryLanguage)
{
    expectRow(RS232MenuTexts::RS232Menu, u"&RS232", u"&RS232", u"&RS232");
    expectRow(RS232MenuTexts::Com1, u"Com&1", u"Com&1", u"Com&1");
    expectRow(RS232MenuTexts::Com2, u"Com&2", u"Com&2", u"Com&2");
    expectRow(RS232MenuTexts::Com3, u"Com&3", u"Com&3", u"Com&3");
    expectRow(RS232MenuTexts::Com4, u"Com&4", u"Com&4", u"Com&4");
    expectRow(RS232MenuTexts::Com5, u"Com&5", u"Com&5", u"Com&5");
    expectRow(LanguageMenuTexts::English, u"&English", u"&English", u"&English");
    expectRow(LanguageMenuTexts::French, u"&Français", u"&Français", u"&Français");
    expectRow(ProjectPropertiesTexts::CopyrightLabel, u" Copyright :", u" Copyright :",
              u" Copyright :");
    expectRow(ProjectPropertiesTexts::OkButton, u"Ok", u"Ok", u"Ok");
    // Same in two languages only: the third has its own text.
    expectRow(AboutTexts::AboutVersion, u"Version 2.1", u"Version 2.1", u"Versión 2.1");
    expectRow(ActionTexts::Volume, u"Volume", u"Volume", u"Volumen");
    expectRow(ActionTexts::ActivateProgram, u"Active Programme", u"Active Program",
              u"Active Program");
    expectRow(ActionTexts::FtpClient, u"Client FTP", u"FTP Client", u"FTP Client");
}

// The programmer's own texts are words, not names: each is translated. A word
// may be the same in French and English ("Date"), never in all three.
TEST(TextContent, addedTextsAreTranslated)
{
    for (int k = 0; k < KeyCount<AddedTexts>; ++k) {
        const auto key = AddedTexts(k);
        SCOPED_TRACE(testing::PrintToString(Text(key, English)));
        EXPECT_FALSE(Text(key, French) == Text(key, English) &&
                     Text(key, Spanish) == Text(key, English));
    }
}

TEST(TextContent, accentedTextsInEachLanguage)
{
    EXPECT_EQ(Text(ToolbarHints::NewProgramHint, French), q(u"Créer un nouveau programme"));
    EXPECT_EQ(Text(FileMenuTexts::ProjectProperties, French), q(u"&Propriétés du Projet..."));
    EXPECT_EQ(Text(MainMessages::SaveChangesConfirm, French),
              q(u"La programmation actuelle a été modifiée. Voulez-vous sauvegarder ces "
                u"changements?"));
    EXPECT_EQ(Text(PanelTexts::OnOffLabel, French), q(u"Marche/Arrêt"));
    EXPECT_EQ(Text(ActionTexts::DeactivateProgram, French), q(u"Désactive Programme"));
    EXPECT_EQ(Text(ActionTexts::DirectorySong, French), q(u"Répertoire : SONG"));

    EXPECT_EQ(Text(MainMessages::FinalizationStep, English), q(u"Finalization Step..."));
    EXPECT_EQ(Text(MainMessages::ReceiveConfirm, English),
              q(u"Do you want to Receive the programs from the player?"));

    EXPECT_EQ(Text(MainMessages::FinalizationStep, Spanish), q(u"Paso de Finalización..."));
    EXPECT_EQ(Text(MainMessages::SaveChangesConfirm, Spanish),
              q(u"La programación actual ha sido modificada. ¿Desea guardar los "
                u"cambios\u00A0?"));
    EXPECT_EQ(Text(ProjectPropertiesTexts::DiffusionDateLabel, Spanish), q(u" Fecha de Emisión :"));
    EXPECT_EQ(Text(ScheduleTexts::EveryDay, Spanish), q(u"Cada día"));
    EXPECT_EQ(Text(ActionTexts::TimerFile, Spanish), q(u"Archivo de Temporizador\u00A0: Txxx.mp3"));
    EXPECT_EQ(Text(ActionTexts::TimerFilePrefix, Spanish), q(u"Archivo de Temporizador : T"));
}

TEST(TextContent, panelCaptionsKeepTheirBlanks)
{
    const QString blanks13(13, QChar(' '));
    const QString blanks12(12, QChar(' '));
    EXPECT_EQ(Text(PanelTexts::PriorityLabel, English), blanks13 + q(u"Prioritary"));
    EXPECT_EQ(Text(PanelTexts::CommentsLabel, French), blanks13 + q(u"Commentaires :"));
    EXPECT_EQ(Text(PanelTexts::CommentsLabel, Spanish), blanks13 + q(u"Comentarios\u00A0:"));
    EXPECT_EQ(Text(PanelTexts::InputsLabel, French), blanks13 + q(u"Entrées :"));
    EXPECT_EQ(Text(PanelTexts::InputsLabel, Spanish), blanks13 + q(u"Entradas\u00A0:"));
    EXPECT_EQ(Text(PanelTexts::TimerModeLabel, English), blanks12 + q(u"Timer Mode"));
    EXPECT_EQ(Text(PanelTexts::TimerModeLabel, French), blanks12 + q(u"Mode Horodaté"));
    EXPECT_EQ(Text(PanelTexts::TimerModeLabel, Spanish), blanks13 + q(u"Modo Temporizador"));
    expectRow(PanelTexts::OnOffLabel, u"Marche/Arrêt", u"On/Off", u"On/Off (Encendido/Apagado)");
    expectRow(PanelTexts::ClockLabel, u"Horloge :", u"Clock :", u"Reloj\u00A0:");
    expectRow(PanelTexts::DateLabel, u"Le :", u"Date :", u"Fecha\u00A0:");
    expectRow(PanelTexts::EveryDayLabel, u"Tous les jours", u"Every Day", u"Cada día");
    expectRow(PanelTexts::EveryLabel, u"Tous les :", u"Every :", u"Cada\u00A0:");
}

TEST(TextContent, aboutBoxQuotesTheModelName)
{
    EXPECT_EQ(Text(AboutTexts::AboutTitle, French), q(u"VARNO \"Quillon\" Programmer"));
    EXPECT_EQ(Text(AboutTexts::AboutTitle, English), q(u"VARNO Programmer"));
    EXPECT_EQ(Text(AboutTexts::AboutTitle, Spanish), q(u"VARNO Programmer"));
    EXPECT_EQ(Text(AboutTexts::AboutCaption, English).count(QChar('"')), 2);
}

TEST(TextContent, misspellingsAreShownAsTheyStand)
{
    EXPECT_EQ(Text(ActionTexts::ExternalOutput, English), q(u"Extrenal Output"));
    EXPECT_EQ(Text(ActionTexts::InternalOutput, English), q(u"Internal Output"));
    expectRow(ActionTexts::InternalContactor, u"Contacteur de sortie (I/O Interne)",
              u"Ouput Contactor (I/O Internal)", u"Contacto de Salida (I/O Interno)");
    expectRow(ActionTexts::ExternalContactor, u"Contacteur de sortie (I/O Externe)",
              u"Ouput Contactor (I/O External)", u"Contacto de Salida (I/O Externo)");
    EXPECT_EQ(Text(AboutTexts::AboutCaption, Spanish),
              q(u"Sobre el Porgramador \"Quillon\" de VARNO"));
    expectRow(EditMenuTexts::NewProgram, u"&Nouveau Program", u"&New Program", u"&Nuevo Programa");
    expectRow(ActionTexts::DeactivateProgram, u"Désactive Programme", u"Unactive Program",
              u"Unactive Program");
}

} // namespace
