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
    {AddedTexts::RecoverChanges,
     u"VARNO Programmer s'est arrêté sans enregistrer les modifications de %1 (%2). Les "
     u"récupérer ?",
     u"VARNO Programmer ended without saving the changes of %1 (%2). Recover them?",
     u"VARNO Programmer terminó sin guardar los cambios de %1 (%2). ¿Recuperarlos?"},
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
    {AddedTexts::ScheduleItem, u"&Planning de la semaine...", u"Week &schedule...",
     u"&Horario semanal..."},
    {AddedTexts::ScheduleTitle, u"Planning", u"Schedule", u"Horario"},
    {AddedTexts::PreviousWeek, u"< Semaine précédente", u"< Previous week", u"< Semana anterior"},
    {AddedTexts::NextWeek, u"Semaine suivante >", u"Next week >", u"Semana siguiente >"},
    {AddedTexts::ClashCount, u"Conflits cette semaine : %1", u"Clashes this week: %1",
     u"Conflictos esta semana: %1"},
    {AddedTexts::ProblemsHeading, u"Problèmes", u"Problems", u"Problemas"},
    {AddedTexts::InactiveTimerProblem, u"Programme %1 : minuterie en marche mais programme inactif",
     u"Program %1: timer on but the program is not active",
     u"Programa %1: temporizador activado pero programa inactivo"},
    {AddedTexts::ImpossibleDateProblem,
     u"Programme %1 : l'année %2 ne tient pas dans le lecteur (2000 à 2099)",
     u"Program %1: the player cannot hold the year %2 (2000 to 2099)",
     u"Programa %1: el reproductor no admite el año %2 (2000 a 2099)"},
    {AddedTexts::DateModeProblem, u"Programme %1 : mode de date %2 hors de 0 à 2",
     u"Program %1: date mode %2 is outside 0 to 2",
     u"Programa %1: modo de fecha %2 fuera de 0 a 2"},
    {AddedTexts::WeekDayProblem, u"Programme %1 : jour de la semaine %2 hors de 1 à 7",
     u"Program %1: weekday %2 is outside 1 to 7",
     u"Programa %1: día de la semana %2 fuera de 1 a 7"},
    {AddedTexts::MissingGoToProblem, u"Programme %1 : saut au programme %2, qui n'existe pas",
     u"Program %1: goes to program %2, which does not exist",
     u"Programa %1: salta al programa %2, que no existe"},
    {AddedTexts::ClashProblem, u"Conflit le %1 à %2 : %3", u"Clash on %1 at %2: %3",
     u"Conflicto el %1 a las %2: %3"},
    {AddedTexts::PriorityMark, u"(prioritaire)", u"(priority)", u"(prioritario)"},
    {AddedTexts::FollowedBy, u"puis programme %1", u"then program %1", u"luego programa %1"},
    {AddedTexts::NoProblem, u"Aucun", u"None", u"Ninguno"},
    {AddedTexts::ExportReport, u"Exporter le &rapport...", u"Export &report...",
     u"Exportar el &informe..."},
    {AddedTexts::ExportCsv, u"Exporter les programmes (&CSV)...", u"Export programs (&CSV)...",
     u"Exportar los programas (&CSV)..."},
    {AddedTexts::ImportCsv, u"&Importer des programmes (CSV)...", u"&Import programs (CSV)...",
     u"&Importar programas (CSV)..."},
    {AddedTexts::ReplaceOrAdd,
     u"%1 programmes lus. Les ajouter au projet, ou remplacer les programmes du projet par "
     u"ceux-ci ?",
     u"%1 programs read. Add them to the project, or replace the programs of the project with "
     u"them?",
     u"%1 programas leídos. ¿Añadirlos al proyecto, o reemplazar los programas del proyecto por "
     u"ellos?"},
    {AddedTexts::ImportDone, u"%1 programmes importés.", u"%1 programs imported.",
     u"%1 programas importados."},
    {AddedTexts::Renumbered, u"Numéros déjà pris, changés : %1",
     u"Numbers already taken, changed: %1", u"Números ya ocupados, cambiados: %1"},
    {AddedTexts::TooManyPrograms,
     u"Le projet compterait %1 programmes ; il en tient 255 au plus. Rien n'a été importé.",
     u"The project would hold %1 programs; it holds 255 at most. Nothing was imported.",
     u"El proyecto tendría %1 programas; admite 255 como máximo. No se importó nada."},
    {AddedTexts::ReportTitle, u"Rapport du projet", u"Project report", u"Informe del proyecto"},
    {AddedTexts::TimetableHeading, u"Semaine du %1 au %2", u"Week from %1 to %2",
     u"Semana del %1 al %2"},
    {AddedTexts::ClashesHeading, u"Conflits et problèmes", u"Clashes and problems",
     u"Conflictos y problemas"},
    {AddedTexts::ProgramsHeading, u"Programmes", u"Programs", u"Programas"},
    {AddedTexts::NumberColumn, u"N°", u"No.", u"N.º"},
    {AddedTexts::TitleColumn, u"Titre", u"Title", u"Título"},
    {AddedTexts::FlagsColumn, u"Indicateurs", u"Flags", u"Indicadores"},
    {AddedTexts::ScheduleColumn, u"Horaire", u"Schedule", u"Horario"},
    {AddedTexts::TimerLabel, u"Minuterie", u"Timer", u"Temporizador"},
    {AddedTexts::PrintReport, u"Im&primer le rapport...", u"&Print report...",
     u"Im&primir el informe..."},
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
    {AddedTexts::RecentProjects, u"Projets récents", u"Recent projects", u"Proyectos recientes"},
    {AddedTexts::RecentProjectMissing,
     u"Le fichier %1 n'existe plus ; il est retiré des projets récents.",
     u"The file %1 no longer exists; it has been removed from the recent projects.",
     u"El archivo %1 ya no existe; se ha quitado de los proyectos recientes."},
    {AddedTexts::DuplicateProgram, u"Dupliquer le programme", u"Duplicate program",
     u"Duplicar el programa"},
    {AddedTexts::UndoItem, u"Annuler", u"Undo", u"Deshacer"},
    {AddedTexts::RedoItem, u"Rétablir", u"Redo", u"Rehacer"},
    {AddedTexts::UndoStep, u"Annuler : %1", u"Undo: %1", u"Deshacer: %1"},
    {AddedTexts::RedoStep, u"Rétablir : %1", u"Redo: %1", u"Rehacer: %1"},
    {AddedTexts::StepTitle, u"titre du %1", u"title of %1", u"título del %1"},
    {AddedTexts::StepComment, u"commentaire du %1", u"comment of %1", u"comentario del %1"},
    {AddedTexts::StepColor, u"couleur du %1", u"colour of %1", u"color del %1"},
    {AddedTexts::StepNumber, u"numéro du %1", u"number of %1", u"número del %1"},
    {AddedTexts::StepActive, u"activation du %1", u"activation of %1", u"activación del %1"},
    {AddedTexts::StepPriority, u"priorité du %1", u"priority of %1", u"prioridad del %1"},
    {AddedTexts::StepTimer, u"minuterie du %1", u"timer of %1", u"temporizador del %1"},
    {AddedTexts::StepDateMode, u"mode de date du %1", u"date mode of %1", u"modo de fecha del %1"},
    {AddedTexts::StepTime, u"heure du %1", u"time of %1", u"hora del %1"},
    {AddedTexts::StepDate, u"date du %1", u"date of %1", u"fecha del %1"},
    {AddedTexts::StepWeekDay, u"jour de la semaine du %1", u"weekday of %1",
     u"día de la semana del %1"},
    {AddedTexts::StepActions, u"actions du %1", u"actions of %1", u"acciones del %1"},
    {AddedTexts::StepValues, u"valeurs du %1", u"values of %1", u"valores del %1"},
    {AddedTexts::StepNewProgram, u"nouveau programme %1", u"new program %1", u"nuevo programa %1"},
    {AddedTexts::StepDeleteProgram, u"suppression du %1", u"deletion of %1", u"eliminación del %1"},
    {AddedTexts::StepProperties, u"propriétés du projet", u"project properties",
     u"propiedades del proyecto"},
    {AddedTexts::ColourBarName, u"Couleur du programme", u"Program colour", u"Color del programa"},
    {AddedTexts::NumberBoxName, u"Numéro du programme", u"Program number", u"Número del programa"},
    {AddedTexts::TitleName, u"Titre du programme", u"Program title", u"Título del programa"},
    {AddedTexts::ReduceName, u"Réduire le programme", u"Reduce the program",
     u"Reducir el programa"},
    {AddedTexts::ActionSlotName, u"Action %1", u"Action %1", u"Acción %1"},
    {AddedTexts::FinalizeUnconfirmed,
     u"Le lecteur n'a pas confirmé la fin de la programmation : vérifiez qu'il joue les "
     u"nouveaux programmes.",
     u"The player did not confirm the end of the programming: check that it plays the new "
     u"programs.",
     u"El reproductor no confirmó el fin de la programación: compruebe que reproduce los "
     u"nuevos programas."},
    {AddedTexts::BackupScheduleReset,
     u"Dans la sauvegarde du lecteur, la date ou l'heure de ces programmes n'existait pas ; "
     u"son fichier projet la remplace par la date ou l'heure actuelle, son image brute garde "
     u"les octets lus : ",
     u"In the backup of the player, the date or time of these programs did not exist; its "
     u"project file holds the current date or time instead, its raw image the bytes as read: ",
     u"En la copia de seguridad del reproductor, la fecha o la hora de estos programas no "
     u"existía; su archivo de proyecto guarda la fecha o la hora actual en su lugar, su imagen "
     u"en bruto los bytes leídos: "},
    {AddedTexts::NarrowedNumbers,
     u"Des nombres de ce fichier ne tiennent pas dans un octet ; seuls leurs 8 bits de poids "
     u"faible sont gardés :\n%1",
     u"Some numbers of this file do not fit in a byte; only their low 8 bits are kept:\n%1",
     u"Algunos números de este archivo no caben en un byte; solo se guardan sus 8 bits "
     u"inferiores:\n%1"},
    {AddedTexts::NarrowedNumber, u"ligne %1 : %2 est gardé comme %3",
     u"line %1: %2 is stored as %3", u"línea %1: %2 se guarda como %3"},
    {AddedTexts::StepNotApplied,
     u"L'étape « %1 » ne peut pas s'appliquer : son programme n'est plus à sa place ou son "
     u"numéro est pris. Rien n'a changé.",
     u"The step \"%1\" cannot be applied: its program is no longer in its place, or its "
     u"number is taken. Nothing was changed.",
     u"El paso «%1» no puede aplicarse: su programa ya no está en su lugar o su número está "
     u"ocupado. No se cambió nada."},
    {AddedTexts::SaveHeldElsewhere,
     u"%1 est ouvert dans un autre VARNO Programmer (processus %2 sur %3) et ne peut pas être "
     u"remplacé maintenant. Fermez-le d'abord dans l'autre programmeur, ou enregistrez sous un "
     u"autre nom.",
     u"%1 is open in another VARNO Programmer (process %2 on %3) and cannot be replaced now. "
     u"Close it in the other programmer first, or save under another name.",
     u"%1 está abierto en otro VARNO Programmer (proceso %2 en %3) y no se puede reemplazar "
     u"ahora. Ciérrelo primero en el otro programador, o guarde con otro nombre."},
    {AddedTexts::SharedNumbers,
     u"Plusieurs programmes de ce projet portent le même numéro ; le lecteur n'en garde qu'un "
     u"par numéro. Donnez à chacun son propre numéro avant de transmettre : ",
     u"Several programs of this project bear the same number; the player keeps only one per "
     u"number. Give each its own number before transmitting: ",
     u"Varios programas de este proyecto llevan el mismo número; el reproductor solo guarda "
     u"uno por número. Dé a cada uno su propio número antes de transmitir: "},
    // Windows, dialogs and conveniences.
    {AddedTexts::ActionMenuTip, u"Choisir l'action %1", u"Choose action %1",
     u"Elegir la acción %1"},
    {AddedTexts::UsersGuideItem, u"&Guide de l'utilisateur", u"&User's guide",
     u"&Guía del usuario"},
    {AddedTexts::GuideNotFound, u"Le guide de l'utilisateur n'est pas installé.",
     u"The user's guide is not installed.", u"La guía del usuario no está instalada."},
    {AddedTexts::GuideNotOpened, u"Impossible d'ouvrir le guide de l'utilisateur : %1",
     u"The user's guide could not be opened: %1", u"No se pudo abrir la guía del usuario: %1"},
    {AddedTexts::FileWritten, u"Fichier écrit : %1", u"File written: %1", u"Archivo escrito: %1"},
    // Backup and restore around a transmit.
    {AddedTexts::FieldBlock, u"Octets enregistrés", u"Stored bytes", u"Bytes almacenados"},
    {AddedTexts::PhaseTransmit, u"Transmission", u"Transmit", u"Transmisión"},
    {AddedTexts::PhaseRestore, u"Restauration", u"Restore", u"Restauración"},
    {AddedTexts::TransmitFailedPartly,
     u"La transmission a échoué en cours de route : le lecteur contient maintenant une partie du "
     u"nouveau projet et une partie de son ancien contenu.",
     u"The transmit failed half-way: the player now holds part of the new project and part of "
     u"its former content.",
     u"La transmisión falló a medio camino: el reproductor contiene ahora parte del nuevo "
     u"proyecto y parte de su contenido anterior."},
    {AddedTexts::BackupNamed, u"Sauvegarde de son ancien contenu : %1",
     u"Backup of its former content: %1", u"Copia de seguridad de su contenido anterior: %1"},
    {AddedTexts::NoBackupMade, u"Aucune sauvegarde n'a été faite avant cette transmission.",
     u"No backup was made before this transmit.",
     u"No se hizo ninguna copia de seguridad antes de esta transmisión."},
    {AddedTexts::BackupNotRestorable,
     u"Cette sauvegarde ne peut pas être remise telle quelle (%1) ; rien d'autre n'est écrit.",
     u"This backup cannot be put back exactly (%1); nothing more is written.",
     u"Esta copia de seguridad no se puede restaurar tal cual (%1); no se escribe nada más."},
    {AddedTexts::RestoreDiffers,
     u"Le lecteur ne contient pas exactement ce que contenait la sauvegarde.",
     u"The player does not hold exactly what the backup held.",
     u"El reproductor no contiene exactamente lo que contenía la copia de seguridad."},
    // Locks, files changed by other programs, exports.
    {AddedTexts::LockFileNote,
     u"Fichier de verrou : %1. Ne le supprimez à la main que si aucun VARNO Programmer n'a "
     u"ce projet ouvert.",
     u"Lock file: %1. Remove it by hand only when no VARNO Programmer has this project open.",
     u"Archivo de bloqueo: %1. Bórrelo a mano solo si ningún VARNO Programmer tiene este "
     u"proyecto abierto."},
    {AddedTexts::OpenElsewhereUnknown,
     u"%1 est déjà ouvert dans un autre VARNO Programmer, dont le verrou ne dit pas lequel. "
     u"L'ouvrir quand même ?",
     u"%1 is already open in another VARNO Programmer, whose lock does not say which. Open "
     u"it anyway?",
     u"%1 ya está abierto en otro VARNO Programmer, cuyo bloqueo no dice cuál. ¿Abrirlo de "
     u"todos modos?"},
    {AddedTexts::SaveHeldElsewhereUnknown,
     u"%1 est ouvert dans un autre VARNO Programmer et ne peut pas être remplacé maintenant. "
     u"Fermez-le d'abord dans l'autre programmeur, ou enregistrez sous un autre nom.",
     u"%1 is open in another VARNO Programmer and cannot be replaced now. Close it in the "
     u"other programmer first, or save under another name.",
     u"%1 está abierto en otro VARNO Programmer y no se puede reemplazar ahora. Ciérrelo "
     u"primero en el otro programador, o guarde con otro nombre."},
    {AddedTexts::ExportOntoProject,
     u"%1 est un fichier de projet : une exportation ne remplace jamais un projet. Choisissez "
     u"un autre nom de fichier.",
     u"%1 is a project file: an export never replaces a project. Choose another file name.",
     u"%1 es un archivo de proyecto: una exportación nunca reemplaza un proyecto. Elija otro "
     u"nombre de archivo."},
    {AddedTexts::ChangedOnDisk,
     u"%1 a été modifié par un autre programme depuis que ce programmeur l'a ouvert ou "
     u"enregistré. Le remplacer par ce projet (son contenu actuel est gardé dans %2), "
     u"enregistrer sous un autre nom, ou annuler ?",
     u"%1 has been changed by another program since this programmer opened or saved it. "
     u"Overwrite it with this project (its present content is kept in %2), save under "
     u"another name, or cancel?",
     u"%1 ha sido modificado por otro programa desde que este programador lo abrió o lo "
     u"guardó. ¿Sobrescribirlo con este proyecto (su contenido actual se guarda en %2), "
     u"guardar con otro nombre, o cancelar?"},
    {AddedTexts::OverwriteButton, u"&Remplacer", u"&Overwrite", u"&Sobrescribir"},
    // Inputs and recovery copies
    {AddedTexts::FlagsReadAsNo,
     u"Des indicateurs de ce fichier sont écrits avec des majuscules ; seul « yes » les "
     u"active, ils sont donc lus comme « no » et seront enregistrés ainsi :\n%1",
     u"Some flags of this file are written with capitals; only \"yes\" sets a flag, so these "
     u"are read as \"no\" and will be saved so:\n%1",
     u"Algunos indicadores de este archivo están escritos con mayúsculas; solo «yes» los "
     u"activa, así que se leen como «no» y se guardarán así:\n%1"},
    {AddedTexts::FlagReadAsNo, u"ligne %1 : programme %2, %3 « %4 »",
     u"line %1: program %2, %3 \"%4\"", u"línea %1: programa %2, %3 «%4»"},
    {AddedTexts::RecoveryNotProtected,
     u"Les copies de récupération ne peuvent pas être écrites : les modifications non "
     u"enregistrées ne sont pas protégées.",
     u"Recovery copies cannot be written: unsaved changes are not protected.",
     u"Las copias de recuperación no se pueden escribir: los cambios no guardados no están "
     u"protegidos."},
    {AddedTexts::RecoveryProtectedAgain,
     u"Les copies de récupération sont de nouveau écrites : les modifications non "
     u"enregistrées sont protégées.",
     u"Recovery copies are written again: unsaved changes are protected.",
     u"Las copias de recuperación se escriben de nuevo: los cambios no guardados están "
     u"protegidos."},
    {AddedTexts::UnreadableRecovery,
     u"Une copie de récupération ne peut pas être lue ; elle a été mise de côté dans %1 :\n%2",
     u"A recovery copy cannot be read; it was moved aside to %1:\n%2",
     u"Una copia de recuperación no se puede leer; se ha apartado en %1:\n%2"},
    {AddedTexts::UnreadableRecoveryStays,
     u"Une copie de récupération ne peut pas être lue, ni mise de côté :\n%1",
     u"A recovery copy cannot be read, nor moved aside:\n%1",
     u"Una copia de recuperación no se puede leer, ni apartar:\n%1"},
    // Guard rails before a mistake.
    {AddedTexts::ImportAdd, u"&Ajouter", u"&Add", u"&Añadir"},
    {AddedTexts::ImportReplace, u"&Remplacer", u"&Replace", u"&Reemplazar"},
    {AddedTexts::StepImportAdded, u"import de %1 programmes ajoutés",
     u"import of %1 programs added", u"importación de %1 programas añadidos"},
    {AddedTexts::StepImportReplaced, u"import de %1 programmes à la place des autres",
     u"import of %1 programs in place of the others",
     u"importación de %1 programas en lugar de los demás"},
    {AddedTexts::RenumberJumps,
     u"Les programmes %1 sautent au programme %2, que plus aucun programme ne porte. Les faire "
     u"sauter au programme %3 ?",
     u"Programs %1 go to program %2, which no program bears any more. Make them go to program "
     u"%3?",
     u"Los programas %1 saltan al programa %2, que ya no lleva ningún programa. ¿Hacer que "
     u"salten al programa %3?"},
    {AddedTexts::FindingsHeading, u"À vérifier avant :", u"To check first:",
     u"Para comprobar antes:"},
    {AddedTexts::FindingMissingJump,
     u"le programme %1 saute au programme %2, qu'aucun programme ne porte",
     u"program %1 goes to program %2, which no program bears",
     u"el programa %1 salta al programa %2, que ningún programa lleva"},
    {AddedTexts::FindingInactiveTimer,
     u"le programme %1 a sa minuterie en marche mais n'est pas activé : il ne se déclenchera pas",
     u"program %1 has its timer on but is not active: it will not fire",
     u"el programa %1 tiene su temporizador encendido pero no está activado: no se disparará"},
    {AddedTexts::FindingClash, u"les programmes %1 peuvent se déclencher à la même minute (%2)",
     u"programs %1 can fire at the same minute (%2)",
     u"los programas %1 pueden dispararse en el mismo minuto (%2)"},
    {AddedTexts::FindingImpossibleDate,
     u"le programme %1 se déclenche à une date de %2, année que le lecteur ne peut pas garder",
     u"program %1 fires on a date in %2, a year the player cannot hold",
     u"el programa %1 se dispara en una fecha de %2, año que el reproductor no puede guardar"},
    {AddedTexts::FindingSharedNumber,
     u"%1 programmes portent le numéro %2 ; le lecteur n'en garde qu'un",
     u"%1 programs bear number %2; the player keeps only one",
     u"%1 programas llevan el número %2; el reproductor solo guarda uno"},
    {AddedTexts::FindingsMore, u"et %1 de plus", u"and %1 more", u"y %1 más"},
    {AddedTexts::RenumberJump,
     u"Le programme %1 saute au programme %2, que plus aucun programme ne porte. Le faire sauter "
     u"au programme %3 ?",
     u"Program %1 goes to program %2, which no program bears any more. Make it go to program %3?",
     u"El programa %1 salta al programa %2, que ya no lleva ningún programa. ¿Hacer que salte "
     u"al programa %3?"},
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

QString Text(AddedTexts key, Language language)
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
