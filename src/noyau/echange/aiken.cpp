#include "noyau/echange/aiken.h"

#include <QFileInfo>

namespace Echange {

namespace {

// "A. text" or "A) text": the letter, else nothing.
QChar lettre(const QString& ligne) {
    if (ligne.size() < 3 || ligne[0] < 'A' || ligne[0] > 'Z') return {};
    return (ligne[1] == '.' || ligne[1] == ')') && ligne[2].isSpace() ? ligne[0] : QChar();
}

// The letter of an "ANSWER: X" line, else nothing.
QChar reponse(const QString& ligne) {
    if (!ligne.startsWith("ANSWER", Qt::CaseInsensitive)) return {};
    const QString reste = ligne.mid(6).trimmed();
    if (!reste.startsWith(':')) return {};
    const QString l = reste.mid(1).trimmed();
    return l.size() == 1 ? l[0].toUpper() : QChar('?');
}

QStringList lignes(const QString& texte) {
    return QString(texte).replace("\r\n", "\n").replace('\r', '\n').split('\n');
}

}  // namespace

bool Aiken::reconnait(const QString& texte) const {
    bool choix = false;
    for (const QString& l : lignes(texte)) {
        const QString ligne = l.trimmed();
        if (!lettre(ligne).isNull()) choix = true;
        if (choix && !reponse(ligne).isNull()) return true;
    }
    return false;
}

LectureBanque Aiken::lire(const QByteArray& octets, const QString& nomFichier) const {
    LectureBanque l;
    Banque& banque = BanqueNommee(l, QFileInfo(nomFichier).completeBaseName());
    QString enonce;
    QStringList choix;
    int debut = 0;
    const QStringList tout = lignes(Decoder(octets));
    for (int i = 0; i < tout.size(); ++i) {
        const QString ligne = tout[i].trimmed();
        const auto erreur = [&](const QString& quoi) {
            return LectureBanque{{}, {}, 0, QString("ligne %1 : %2").arg(i + 1).arg(quoi)};
        };
        if (ligne.isEmpty()) continue;
        if (const QChar juste = reponse(ligne); !juste.isNull()) {
            const int rang = juste.unicode() - 'A';
            if (choix.isEmpty()) return erreur("ligne ANSWER sans réponses avant elle");
            if (rang < 0 || rang >= choix.size())
                return erreur(QString("« %1 » ne désigne aucune des réponses").arg(ligne));
            Question q;
            q.texte = UneLigne(enonce);
            for (int k = 0; k < choix.size(); ++k) {
                q.reponses << UneLigne(choix[k]);
                q.justes << (k == rang);
            }
            Retenir(l, banque, q, Designation({}, q.texte));
            enonce.clear(), choix.clear();
        } else if (const QChar c = lettre(ligne); !c.isNull() && !enonce.isEmpty()) {
            if (c.unicode() - 'A' != choix.size())
                return erreur(QString("réponse %1 attendue, %2 trouvée")
                                  .arg(QChar(char16_t('A' + choix.size())))
                                  .arg(c));
            choix << ligne.mid(3);
        } else if (!choix.isEmpty()) {
            choix.last() += ' ' + ligne;  // an answer continued on the next line
        } else {
            if (enonce.isEmpty()) debut = i + 1;
            enonce += ' ' + ligne;
        }
    }
    if (!enonce.isEmpty())
        return {{},
                {},
                0,
                QString("ligne %1 : la question « %2 » n'a pas de ligne ANSWER")
                    .arg(debut)
                    .arg(Designation({}, enonce))};
    if (banque.questions.isEmpty()) l.banques.clear();
    return l;
}

}  // namespace Echange
