#pragma once
#include "noyau/deroulement/quiz_state.h"
#include "noyau/fichiers/fichiers.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Writes a file, making its folders.
inline void poser(const QString& chemin, const QByteArray& octets) {
    QDir().mkpath(QFileInfo(chemin).path());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << chemin.toStdString();
    ASSERT_EQ(f.write(octets), octets.size()) << chemin.toStdString();
}

// A file's bytes, or "<absent>".
inline QByteArray contenu(const QString& chemin) {
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

// A questionnaire folder NAME written as a teacher's Windows editor would
// (Windows-1252, CR LF) inside a temporary library.
class DossierDeTest {
public:
    explicit DossierDeTest(const QString& nom = "TEST") : nom_(nom) {
        QDir(bibliotheque_.path()).mkpath(nom + "/Images");
    }
    QString bibliotheque() const { return bibliotheque_.path(); }
    QString dossier() const { return bibliotheque_.path() + "/" + nom_; }

    void ecrire(const QString& relatif, const QStringList& lignes) const {
        QString texte;
        for (const QString& ligne : lignes) texte += ligne + "\r\n";
        ecrireOctets(relatif, Fichiers::encoderWindows1252(texte));
    }
    void ecrireOctets(const QString& relatif, const QByteArray& octets) const {
        poser(dossier() + "/" + relatif, octets);
    }
    void dat(const QStringList& lignes) const { ecrire(nom_ + ".dat", lignes); }
    void ini(const QStringList& lignes) const { ecrire(nom_ + ".ini", lignes); }

    // The state the library screen leaves when this questionnaire is chosen.
    void choisir(QuizState& s) const {
        s.DossierQuestionnaire = dossier();
        s.CheminQuestionnaire = dossier() + "/" + nom_ + ".dat";
    }

private:
    QTemporaryDir bibliotheque_;
    QString nom_;
};
