// Texts of the project-properties dialog and of the About box.
// Each table lists its entries in key order, French first, then English, then Spanish.

#include <text/Lookup.h>

namespace text {
namespace {

using detail::Entry;

// The field labels begin with one blank.
constexpr Entry kProjectPropertiesTexts[] = {
    // French
    u"Propriétés du Projet",
    u" Nom du Projet :",
    u" Sujet :",
    u" Auteur :",
    u" Copyright :",
    u" Client :",
    u" Date de création :",
    u" Date de diffusion :",
    u" Commentaires :",
    u"Ok",
    u"Annuler",
    // English
    u"Project Properties",
    u" Name of Project :",
    u" Object :",
    u" Author :",
    u" Copyright :",
    u" Customer :",
    u" Creation Date :",
    u" Diffusion Date :",
    u" Comments :",
    u"Ok",
    u"Cancel",
    // Spanish
    u"Propiedades de Proyecto",
    u" Nombre de Proyecto :",
    u" Tema :",
    u" Autor :",
    u" Copyright :",
    u" Cliente :",
    u" Fecha de Creación :",
    u" Fecha de Emisión :",
    u" Comentarios :",
    u"Ok",
    u"Anular",
};

constexpr Entry kAboutTexts[] = {
    // French
    u"A propos de VARNO Programmer",
    u"VARNO \"Quillon\" Programmer",
    u"Version 2.1",
    u"www.varno-audio.example",
    // English
    u"About VARNO \"Quillon\" Programmer",
    u"VARNO Programmer",
    u"Version 2.1",
    u"www.varno-audio.example",
    // Spanish
    u"Sobre el Porgramador \"Quillon\" de VARNO",
    u"VARNO Programmer",
    u"Versión 2.1",
    u"www.varno-audio.example",
};

} // namespace

QString Text(ProjectPropertiesTexts key, Language language)
{
    return detail::entry(kProjectPropertiesTexts, key, language);
}

QString Text(AboutTexts key, Language language)
{
    return detail::entry(kAboutTexts, key, language);
}

} // namespace text
