#include "ecrans/quiz/frm_notes.h"

#include "ecrans/commun/clavier.h"
#include "ecrans/visionneuse/dessins.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

frmNotes::frmNotes(QuizState& s, Services&, Navigation&, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      s_(s) {
    setObjectName("frmNotes");
    setWindowTitle("Commentaire");
    setFixedSize(480, 260);

    Image1 = new QLabel(this);
    Image1->setObjectName("Image1");
    Image1->setPixmap(Dessins::imageCommentaire(64));
    Image1->setGeometry(16, 16, 64, 64);
    Image1->setAccessibleName("Image de commentaire");

    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    QFont titre = font();
    titre.setPointSizeF(12);
    titre.setBold(true);
    Label1->setFont(titre);
    Label1->setGeometry(96, 16, 368, 64);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Label1->setWordWrap(true);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName("Text1");
    Text1->setReadOnly(true);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QFont texte = font();
    texte.setPointSizeF(11);
    Text1->setFont(texte);
    Text1->setGeometry(16, 92, 448, 110);
    Text1->setFocusPolicy(Qt::StrongFocus);  // Tab reaches it: a screen reader reads it
    Text1->setAccessibleName("Commentaire");

    Command1 = new QPushButton("&OK", this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(364, 214, 100, 32);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);

    // Enter and Escape close it from wherever the focus is.
    for (const QKeySequence& touche : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter),
                                       QKeySequence(Qt::Key_Escape)}) {
        auto* raccourci = new QShortcut(touche, this);
        connect(raccourci, &QShortcut::activated, this, &QWidget::close);
    }

    if (QScreen* ecran = QGuiApplication::primaryScreen())
        move(ecran->availableGeometry().center() - rect().center());
    Form_Load();
}

void frmNotes::Form_Load() {
    Label1->setText("Commentaire de la question n° " + QString::number(s_.NumQuestion));
    const int q = s_.NumQuestion;
    Text1->setPlainText(numeroDeQuestionValide(q) ? s_.Commentaires[q] : QString());
    DonnerFocus(Command1);
}
