#include "noyau/questionnaire/grammaire.h"

GenreLigne GenreDeLigne(QStringView rangee) {
    const QStringView marqueur = rangee.left(2);
    if (marqueur == u"0 ") return GenreLigne::Question;
    if (marqueur == u"=>") return GenreLigne::Drapeaux;
    if (marqueur == u"</") return GenreLigne::Titre;
    return GenreLigne::Texte;
}

QString LigneDe(GenreLigne genre, const QString& texte) {
    switch (genre) {
    case GenreLigne::Question: return "0 " + texte;
    case GenreLigne::Drapeaux: return "=>" + texte;
    case GenreLigne::Titre: return "</" + texte;
    case GenreLigne::Texte: return texte;
    }
    return texte;
}

int SectionDeLEnTete(const QString& rangee) { return static_cast<int>(EnTetesIni.indexOf(rangee)); }
