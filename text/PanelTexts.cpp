// Texts of the program panel and of the compact panels.
// Each localised table lists its entries in key order, French first, then English, then
// Spanish. \u00A0 is the no-break space that some texts hold before their colon.

#include <text/Lookup.h>

namespace text {
namespace {

using detail::Entry;

// The section headings begin with 13 blanks (12 for the English and French timer
// mode) that leave room for the icon drawn at their left.
constexpr Entry kPanelTexts[] = {
    // French
    u"             Activer",
    u"             Prioritaire",
    u"             Commentaires :",
    u"             Entrées :",
    u"            Mode Horodaté",
    u"Marche/Arrêt",
    u"Horloge :",
    u"Le :",
    u"Tous les jours",
    u"Tous les :",
    u"             Actions :",
    // English
    u"             Activate",
    u"             Prioritary",
    u"             Comments :",
    u"             Inputs :",
    u"            Timer Mode",
    u"On/Off",
    u"Clock :",
    u"Date :",
    u"Every Day",
    u"Every :",
    u"             Actions :",
    // Spanish
    u"             Activar",
    u"             Prioritario",
    u"             Comentarios\u00A0:",
    u"             Entradas\u00A0:",
    u"             Modo Temporizador",
    u"On/Off (Encendido/Apagado)",
    u"Reloj\u00A0:",
    u"Fecha\u00A0:",
    u"Cada día",
    u"Cada\u00A0:",
    u"             Acciones",
};

constexpr Entry kActionTexts[] = {
    // French
    u"Pas d'Action...",
    u"Fichier Timer : Txxx.mp3",
    u"Répertoire : Fxxx",
    u"Mode Veille",
    u"Barre de Transport",
    u"Volume",
    u"Contacteur de sortie (I/O Interne)",
    u"Contacteur de sortie (I/O Externe)",
    u"Saut au Programme : ",
    u"Sortie ",
    u"Fichier Timer : T",
    u"Répertoire : SONG",
    u"Répertoire : F",
    u"Commande",
    u"Sortie Interne",
    u"Sortie Externe",
    u"Valeur",
    u"Commande Inconnue",
    u"Active Programme",
    u"Désactive Programme",
    u"Client FTP",
    u"Envoie d'un EMail",
    // English
    u"No Action...",
    u"Timer File : Txxx.mp3",
    u"Directory : Fxxx",
    u"Sleep mode",
    u"Transport Command",
    u"Volume",
    u"Ouput Contactor (I/O Internal)",
    u"Ouput Contactor (I/O External)",
    u"Go To Program : ",
    u"Output ",
    u"Timer File : T",
    u"Directory : SONG",
    u"Directory : F",
    u"Command",
    u"Internal Output",
    u"Extrenal Output",
    u"Value",
    u"Unknown Command",
    u"Active Program",
    u"Unactive Program",
    u"FTP Client",
    u"Send EMail",
    // Spanish
    u"Ninguna Acción...",
    u"Archivo de Temporizador\u00A0: Txxx.mp3",
    u"Directorio\u00A0: Fxxx",
    u"Modo Sleep",
    u"Comando de Transporte",
    u"Volumen",
    u"Contacto de Salida (I/O Interno)",
    u"Contacto de Salida (I/O Externo)",
    u"Ir al Programa : ",
    u"Salida ",
    u"Archivo de Temporizador : T",
    u"Directorio\u00A0: SONG",
    u"Directorio\u00A0: F",
    u"Comando",
    u"Salida Interna",
    u"Salida Externa",
    u"Valor",
    u"Comando Desconocido",
    u"Active Program",
    u"Unactive Program",
    u"FTP Client",
    u"Send EMail",
};

constexpr Entry kDayNames[] = {
    // French
    u"Lundi",
    u"Mardi",
    u"Mercredi",
    u"Jeudi",
    u"Vendredi",
    u"Samedi",
    u"Dimanche",
    // English
    u"Monday",
    u"Tuesday",
    u"Wednesday",
    u"Thursday",
    u"Friday",
    u"Saturday",
    u"Sunday",
    // Spanish
    u"Lunes",
    u"Martes",
    u"Miércoles",
    u"Jueves",
    u"Viernes",
    u"Sábado",
    u"Domingo",
};

constexpr Entry kScheduleTexts[] = {
    // French
    u"Le : ",
    u"Tous les jours",
    u"Tous les : ",
    u" - A : ",
    // English
    u"Date : ",
    u"Every day",
    u"Every : ",
    u" - At : ",
    // Spanish
    u"Fecha : ",
    u"Cada día",
    u"Cada : ",
    u"- A las : ",
};

// Not localised: "SONG" of the directory submenu, then the transport submenu in order.
constexpr Entry kTransportCommandNames[] = {
    u"SONG", u"Play", u"Pause", u"Stop", u"FWD",      u"RWD",
    u"DIR+", u"DIR-", u"VOL+",  u"VOL-", u"USB Mode",
};
static_assert(std::size(kTransportCommandNames) == std::size_t(TransportCommandCount));

} // namespace

QString Text(PanelTexts key, Language language)
{
    return detail::entry(kPanelTexts, key, language);
}

QString Text(ActionTexts key, Language language)
{
    return detail::entry(kActionTexts, key, language);
}

QString Text(DayNames key, Language language)
{
    return detail::entry(kDayNames, key, language);
}

QString Text(ScheduleTexts key, Language language)
{
    return detail::entry(kScheduleTexts, key, language);
}

QString DayName(int weekday, Language language)
{
    if (weekday < 1 || weekday > KeyCount<DayNames>)
        return {};
    return Text(DayNames(weekday - 1), language); // weekday 1 is key Monday
}

QString TransportCommandName(int entry)
{
    if (entry < 0 || entry >= TransportCommandCount)
        return {};
    const Entry name = kTransportCommandNames[entry];
    return QString::fromUtf16(name.data(), qsizetype(name.size()));
}

} // namespace text
