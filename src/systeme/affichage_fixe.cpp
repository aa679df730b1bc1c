#include "systeme/affichage_fixe.h"

#include <QGuiApplication>
#include <QScreen>

QSize AffichageFixe::taille() const {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    return ecran ? ecran->size() : QSize();
}
