#include "ecrans/commun/frm_splash.h"

#include "ecrans/commun/navigation.h"
#include "ecrans/commun/placement.h"
#include "noyau/deroulement/quiz_state.h"
#include "noyau/services/services.h"
#include "systeme/ecran.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

void Main(Navigation& navigation) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    navigation.montrer(Ecran::Splash);
}

namespace {
constexpr int pixels(int twips) { return twips / ModEcran::TwipsParPixel; }

QLabel* libelle(QWidget* parent, const char* nom, const QString& texte, int taillePoints, bool gras,
                const QRect& place) {
    auto* l = new QLabel(texte, parent);
    l->setObjectName(QString::fromLatin1(nom));
    QFont police = l->font();
    police.setPointSize(taillePoints);
    police.setBold(gras);
    l->setFont(police);
    l->setGeometry(place);
    l->setWordWrap(true);
    return l;
}
}  // namespace

frmSplash::frmSplash(QuizState& etat, Services& services, Navigation& navigation, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      etat_(etat),
      services_(services),
      navigation_(navigation) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(pixels(LargeurTwips), pixels(HauteurTwips));
    setAutoFillBackground(true);
    QPalette fond = palette();
    fond.setColor(QPalette::Window, QColor(0xf4, 0xf7, 0xfb));
    fond.setColor(QPalette::WindowText, QColor(0x16, 0x32, 0x5c));
    setPalette(fond);

    // Without a title bar the window needs an edge of its own.
    auto* cadre = new QFrame(this);
    cadre->setFrameShape(QFrame::Box);
    cadre->setLineWidth(1);
    cadre->setGeometry(rect());

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(QPixmap(QStringLiteral(":/pictures/splash_banniere.jpg")));
    Image2->setGeometry(10, 10, 480, 190);
    setAccessibleName(QStringLiteral("Korvane"));
    Image2->setAccessibleName(QStringLiteral("Bannière de Korvane"));

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/splash_embleme.gif")));
    Image1->setGeometry(30, 216, 96, 96);
    Image1->setAccessibleName(QStringLiteral("Emblème de Korvane"));

    lblTitre =
        libelle(this, "lblTitre", QStringLiteral("Korvane"), 24, true, QRect(146, 212, 334, 44));
    Label1 =
        libelle(this, "Label1", QStringLiteral("Générateur de Questionnaire à Choix Multiples"), 12,
                false, QRect(146, 258, 334, 54));
    Label2 = libelle(this, "Label2", QStringLiteral("Un logiciel libre du projet Korvane"), 9,
                     false, QRect(10, 330, 480, 24));
    Label2->setAlignment(Qt::AlignCenter);
    QPalette discret = Label2->palette();
    discret.setColor(QPalette::WindowText, QColor(0x4a, 0x5a, 0x70));
    Label2->setPalette(discret);
    cadre->raise();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(IntervalleTimer1);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    Form_Load();
}

void frmSplash::Form_Load() {
    ModEcran::Preparer_ecran(etat_, services_.affichage);
    // The switched display reaches Qt a moment later: stay in its middle.
    if (QScreen* ecran = QGuiApplication::primaryScreen())
        connect(ecran, &QScreen::geometryChanged, this, [this] { centrer(); });
    Timer1->start();
}

void frmSplash::showEvent(QShowEvent* evenement) {
    centrer();
    QWidget::showEvent(evenement);
}

void frmSplash::centrer() {
    const QScreen* ecran = QGuiApplication::primaryScreen();
    if (!ecran) return;
    move(Placement::centrer(size(), ecran->geometry()));
}

void frmSplash::Timer1_Timer() {
    Timer1->stop();
    hide();
    while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    navigation_.montrer(Ecran::Themes);
    navigation_.decharger(Ecran::Splash);
}
