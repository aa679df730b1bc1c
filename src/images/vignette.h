#pragma once
#include "noyau/deroulement/quiz_state.h"

#include <QDateTime>
#include <QImage>
#include <QSizeF>
#include <QString>

// Size and horizontal place of the thumbnail, in twips.
struct Cadrage {
    float largeur = 0, hauteur = 0;
    float gauche = 0;  // left edge inside PicPhoto; negative when wider than the box
};

// Fits a picture of natural size `naturelle` to the height of the picture
// box, clips its width to the frame's (the picture is then squeezed) and
// centres it in the box.
Cadrage Cadrer_vignette(QSizeF naturelle, float hauteurBoite, float largeurBoite,
                        float largeurCadre);

// The box's left edge that centres something `largeur` wide in the box.
float Centrer(float largeurBoite, float largeur);

// Names ending in "gif", whatever the case, get the border-coloured
// background.
bool EstGif(const QString& chemin);

// Path of a picture named in the companion: the questionnaire folder, then
// "Images", then the name.
QString CheminImage(const QuizState& s, const QString& nom);

// Picture of the question on screen (one picture per question).
QString CheminImageQuestion(const QuizState& s);

// A thumbnail decoded straight at its size on screen: a large photo is never
// decoded whole. Safe to build in a worker thread.
struct Vignette {
    enum class Etat { Chargee, Introuvable, Illisible };
    Etat etat = Etat::Illisible;
    QImage image;  // over white where transparent, but for a GIF: its box is grey
    Cadrage cadrage;
    // The file as it was read, to know whether a copy decoded ahead is
    // still the picture on disk.
    QString fichier;
    qint64 octets = -1;
    QDateTime date;
    bool aJour() const;
};

// Sizes in twips. A path that names no file (an empty picture name among
// them) is Introuvable; a file that is not a readable picture, Illisible.
Vignette Charger_vignette(const QString& chemin, float hauteurBoite, float largeurBoite,
                          float largeurCadre);

// What the pupil reads where a picture that was meant to show does not.
QString Explication_image(bool introuvable);
