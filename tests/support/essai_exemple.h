#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QFileInfo>

// The worked example: first attempt, b01 of 3a, 15 right, 4 wrong, 1 left
// out of 20, mark 15.5, written on Saturday 5 December 2026 at 14:03:27.
inline QuizState EssaiExemple(const QString& chemin) {
    QuizState s;
    s.Identifiant = "b01", s.Classe = "3a", s.TitreQuestionnaire = "Les volcans";
    s.NbQuestions = s.RangQuestion = 20;
    s.NbJustes = 15, s.NbFausses = 4, s.NbNulles = 1, s.Note = 15.5f;
    s.TempsEcoule = 3725, s.DateDuJour = "samedi 5 décembre 2026";
    s.ResolutionX = 1024, s.ResolutionY = 768, s.CheminResultats = chemin;
    s.DossierQuestionnaire = QFileInfo(chemin).path();
    return s;
}

// Windows-1252 bytes typed out: \351 is é, \364 ô, \350 è.
inline const QByteArray OctetsEssaiExemple =
    "\r\n===================(s\351paration)=====================\r\n"
    "[Essai - num\351ro 1]\r\n[Bin\364me]\r\nB01\r\n\r\n\r\n[Classe]\r\n3A\r\n\r\n\r\n"
    "[Nombre de questions trait\351es]\r\n20 sur 20\r\n\r\n\r\n"
    "[Note]\r\n15,5/20     soit : 3,1/4\r\n\r\n\r\n"
    "Nbre de r\351ponses justes = 15 sur 20 questions pos\351es, soit 75,0 %\r\n"
    "Nbre de r\351ponses fausses = 4 sur 20 questions pos\351es, soit 20,0 %\r\n"
    "l'\351l\350ve n'a pas r\351pondu pour 1 sur 20 questions pos\351es, soit 5,0 %\r\n"
    "\r\n\r\n[Date/Heure]\r\nsamedi 5 d\351cembre 2026\r\n14:03:27\r\n";
