#pragma once
#include "ecrans/commun/navigation.h"
#include "ecrans/visionneuse/geometrie.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/services/services.h"

#include <QPointer>
#include <QWidget>

class QScrollBar;
class QToolBar;
class QToolButton;
class ImageIllustration;
class frmOutils;

// The question's picture at full size: zoom, fit, natural size, scroll
// bars, drag with the mouse, and the palette of guide lines. Opening (the
// first showing, and every showing after a close) reloads the picture from
// `CheminImage`.
class frmIllustration : public QWidget {
    Q_OBJECT
public:
    frmIllustration(QuizState& s, Services& services, Navigation& navigation,
                    QWidget* parent = nullptr);
    ~frmIllustration() override;

    void Toolbar1_ButtonClick(const QString& cle);
    void ZoomAvant();
    void ZoomArriere();
    void TailleOriginale();
    void AjusterImage();
    void OuvrirOutils();

    GeometrieIllustration& geometrie() { return g_; }
    // Puts the geometry on screen.
    void Afficher();
    frmOutils* outils() const;

    QToolBar* Toolbar1;
    QWidget* Picture1;
    ImageIllustration* Image1;
    QScrollBar* HScroll1;
    QScrollBar* VScroll1;
    QWidget* Line1;
    QWidget* Line2;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* evenement) override;
    void wheelEvent(QWheelEvent* evenement) override;

private:
    void construireBarreOutils();
    void construireBoite();
    void construireBarres();
    void Form_Load();
    void creerRaccourcis();
    void nommerControles();
    QToolButton* creerBouton(const QString& cle, const QString& titre, const QString& bulle);
    void placerBarres();
    void afficherLigne(QWidget* ligne, bool verticale, float position, float debut, float fin,
                       float bordDebut, float bordFin);

    QuizState& s_;
    GeometrieIllustration g_;
    QWidget* coin_;
    QPointer<frmOutils> palette_;
    bool aRecharger_ = false;
};
