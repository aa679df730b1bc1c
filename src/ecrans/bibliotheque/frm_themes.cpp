#include "ecrans/bibliotheque/frm_themes.h"

#include "ecrans/commun/clavier.h"
#include "noyau/fichiers/fichiers.h"
#include "noyau/questionnaire/bibliotheque.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The two icons of the buttons, drawn rather than shipped.
constexpr int CoteIcone = 32;

QPixmap disque(const QColor& couleur) {
    QPixmap image(CoteIcone, CoteIcone);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(couleur.darker(140), 1.5));
    p.setBrush(couleur);
    p.drawEllipse(QRectF(1.5, 1.5, CoteIcone - 3, CoteIcone - 3));
    return image;
}

QIcon iconeLancer() {
    QPixmap image = disque(QColor(46, 160, 67));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath fleche;
    fleche.moveTo(12, 8.5);
    fleche.lineTo(24, 16);
    fleche.lineTo(12, 23.5);
    fleche.closeSubpath();
    p.fillPath(fleche, Qt::white);
    return QIcon(image);
}

QIcon iconeQuitter() {
    QPixmap image = disque(QColor(200, 55, 45));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // A power sign: an open ring and its bar.
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(9, 9.5, 14, 14), 120 * 16, 300 * 16);
    p.drawLine(QPointF(16, 7.5), QPointF(16, 15.5));
    return QIcon(image);
}

QString pourLabel(QString texte) {
    return texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
}  // namespace

frmThèmes::frmThèmes(QuizState& etat, Services& services, Navigation& navigation, QWidget* parent,
                     const QString& bibliotheque)
    : QWidget(parent, Qt::Window),
      etat_(etat),
      services_(services),
      navigation_(navigation),
      bibliotheque_(bibliotheque.isEmpty() ? Fichiers::dossierProgramme() : bibliotheque) {
    setObjectName(QStringLiteral("frmThèmes"));
    setFixedSize(740, 480);
    QFont police = font();
    police.setPointSize(11);
    setFont(police);
    construireTitres();
    construireListe();
    construireConsigne();
    construireBoutons();
    mettreEnPage();
    relier();
    Form_Load();
    DonnerFocus(List1);
}

// The sub-title at the top of the screen, the credit line at its foot.
void frmThèmes::construireTitres() {
    lblSousTitre =
        new QLabel(QStringLiteral("Générateur de Questionnaire à Choix Multiples"), this);
    lblSousTitre->setObjectName(QStringLiteral("lblSousTitre"));
    QFont titre = font();
    titre.setPointSize(16);
    titre.setBold(true);
    lblSousTitre->setFont(titre);
    lblSousTitre->setAlignment(Qt::AlignCenter);
    lblSousTitre->setStyleSheet(QStringLiteral("color: #1f3f7a;"));

    lblCredit = new QLabel(QStringLiteral("Korvane — réalisé par le projet Korvane"), this);
    lblCredit->setObjectName(QStringLiteral("lblCredit"));
    QFont petite = font();
    petite.setPointSize(9);
    petite.setItalic(true);
    lblCredit->setFont(petite);
    lblCredit->setAlignment(Qt::AlignCenter);
}

void frmThèmes::construireListe() {
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setFixedWidth(300);
    QFont entrees = font();
    entrees.setPointSize(12);
    List1->setFont(entrees);
    List1->setSpacing(2);
    List1->installEventFilter(this);
    List1->setAccessibleName(QStringLiteral("Liste des questionnaires"));
    List1->setAccessibleDescription(
        QStringLiteral("Flèches pour choisir un questionnaire, Entrée pour le lancer"));
}

// The instructions, in a framed panel.
void frmThèmes::construireConsigne() {
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFrameShape(QFrame::StyledPanel);
    Shape1->setStyleSheet(QStringLiteral(
        "#Shape1 { background: #eef3fb; border: 2px solid #7f9cc9; border-radius: 8px; }"));

    Label1 = new QLabel(Shape1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setStyleSheet(QStringLiteral("background: transparent;"));
    auto* cadre = new QVBoxLayout(Shape1);
    cadre->setContentsMargins(14, 12, 14, 12);
    cadre->addWidget(Label1);
}

void frmThèmes::construireBoutons() {
    cmdLancement = new QPushButton(iconeLancer(), QStringLiteral("&Lancer le QCM"), this);
    cmdLancement->setObjectName(QStringLiteral("cmdLancement"));
    cmdLancement->setToolTip(QStringLiteral("Lancer le questionnaire"));
    cmdQuitter = new QPushButton(iconeQuitter(), QStringLiteral("&Quitter "), this);
    cmdQuitter->setObjectName(QStringLiteral("cmdQuitter"));
    cmdQuitter->setToolTip(QStringLiteral("Quitter l'application"));
    for (QPushButton* bouton : {cmdLancement, cmdQuitter}) {
        bouton->setIconSize(QSize(32, 32));
        bouton->setMinimumHeight(48);
        bouton->setAutoDefault(false);
    }
}

// The list on the left; the instructions and the buttons on the right.
void frmThèmes::mettreEnPage() {
    auto* droite = new QVBoxLayout;
    droite->addWidget(Shape1, 1);
    droite->addSpacing(12);
    droite->addWidget(cmdLancement);
    droite->addWidget(cmdQuitter);

    auto* milieu = new QHBoxLayout;
    milieu->addWidget(List1);
    milieu->addSpacing(12);
    milieu->addLayout(droite, 1);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(18, 14, 18, 10);
    page->addWidget(lblSousTitre);
    page->addSpacing(8);
    page->addLayout(milieu, 1);
    page->addSpacing(6);
    page->addWidget(lblCredit);

    setTabOrder(List1, cmdLancement);
    setTabOrder(cmdLancement, cmdQuitter);
}

void frmThèmes::relier() {
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        if (!List1->selectedItems().isEmpty()) List1_Click();
    });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });
    connect(cmdLancement, &QPushButton::clicked, this, [this] { cmdLancement_Click(); });
    connect(cmdQuitter, &QPushButton::clicked, this, [this] { cmdQuitter_Click(); });
}

void frmThèmes::Form_Load() {
    setWindowTitle(QStringLiteral("GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES"));
    etat_.Note = 0.0f;
    ListerThemes(bibliotheque_);
    Label1->setText(pourLabel(QFileInfo(bibliotheque_).isDir()
                                  ? Bibliotheque::texteInstructions()
                                  : Bibliotheque::texteIntrouvable(bibliotheque_)));
}

void frmThèmes::ListerThemes(const QString& dossier) {
    TableThemes.fill(QString());
    List1->clear();
    const QStringList noms = Bibliotheque::ListerThemes(dossier);
    for (int i = 0; i < noms.size(); ++i) TableThemes[i + 1] = noms[i];
    for (std::size_t i = 1; i < TableThemes.size() && !TableThemes[i].isEmpty(); ++i)
        List1->addItem(TableThemes[i]);
}

void frmThèmes::List1_Click() {
    const QList<QListWidgetItem*> choisis = List1->selectedItems();
    if (choisis.isEmpty()) return;
    ThemeChoisi = choisis.first()->text();
    Label1->setText(pourLabel(Bibliotheque::texteChoix(ThemeChoisi)));
    const Bibliotheque::Choix choix = Bibliotheque::choisir(bibliotheque_, ThemeChoisi);
    etat_.DossierQuestionnaire = choix.DossierQuestionnaire;
    etat_.CheminQuestionnaire = choix.CheminQuestionnaire;
}

void frmThèmes::List1_DblClick() { cmdLancement_Click(); }

void frmThèmes::cmdLancement_Click() {
    if (!etat_.CheminQuestionnaire.isEmpty()) {
        navigation_.montrer(Ecran::Nom);
        return;
    }
    services_.dialogues.afficher(
        QStringLiteral("CHOISIR D'ABORD LE THEME A ABORDER DANS LA LISTE DE GAUCHE"),
        QStringLiteral("AVERTISSEMENT"), Style::OkExclamation, this);
}

void frmThèmes::cmdQuitter_Click() { QuitterProgramme(etat_, services_.affichage, navigation_); }

bool frmThèmes::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == List1 && evenement->type() == QEvent::KeyPress) {
        const int touche = static_cast<QKeyEvent*>(evenement)->key();
        if (touche == Qt::Key_Return || touche == Qt::Key_Enter) {
            cmdLancement_Click();
            return true;
        }
        // The first arrow press chooses the entry the focus frame is on,
        // instead of skipping past it.
        if ((touche == Qt::Key_Down || touche == Qt::Key_Up) && List1->count() > 0 &&
            List1->selectedItems().isEmpty()) {
            const int rang = List1->currentRow() >= 0 ? List1->currentRow() : 0;
            List1->setCurrentRow(rang, QItemSelectionModel::ClearAndSelect);
            return true;
        }
    }
    return QWidget::eventFilter(objet, evenement);
}
