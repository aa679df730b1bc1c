#include "noyau/deroulement/minuterie.h"

#include "noyau/deroulement/duree.h"
#include "noyau/questionnaire/formats.h"

#include <algorithm>
#include <limits>

int MaximumBarre(int maximumMinuterie) { return std::max(maximumMinuterie, 1); }

QString TexteTempsRestant(int maximum, int tics, int intervalleMs) {
    const qint64 restants = std::max(maximum - tics, 0);
    const qint64 millisecondes = restants * intervalleMs;
    const QString secondes = millisecondes % 1000 == 0
                                 ? QString::number(millisecondes / 1000)
                                 : QString::number(static_cast<double>(millisecondes) / 1000.0);
    return "Temps restant = " + secondes + " secondes";
}

int NombreImagesCyclees(const QuizState& s) { return std::clamp(s.NbImages, 0, MaxQuestions); }

TicMinuterie Timer1_tic(QuizState& s, int maximum, int intervalleMs,
                        const std::function<bool(const QString&)>& afficherImage) {
    TicMinuterie tic;
    ++s.ImageCourante;
    if (s.TicsMinuterie < std::numeric_limits<std::int16_t>::max()) ++s.TicsMinuterie;
    const int image = s.ImageCourante;
    if (s.ModeImages == 1 && image >= 1 && image <= NombreImagesCyclees(s)) {
        const QString& nom = s.TableImages[1][image];
        if (!nom.isEmpty() && afficherImage && !afficherImage(nom)) return tic;
    }
    tic.decompte = true;
    tic.valeur = std::clamp<int>(s.TicsMinuterie, 0, maximum);
    tic.texte = TexteTempsRestant(maximum, s.TicsMinuterie, intervalleMs);
    if (maximum <= s.TicsMinuterie) {
        tic.arreter = true;
        s.TicsMinuterie = 1;
        tic.valeur = maximum;
    }
    if (s.ImageCourante >= NombreImagesCyclees(s) + 1) s.ImageCourante = 0;
    if (s.ModeImages == 0) s.ImageCourante = 1;
    return tic;
}

QString TexteDate(const QDate& date) {
    return Formats::francais().toString(date, "dddd d MMMM yyyy");
}

QString TexteHorloge(const QDateTime& maintenant) {
    return Formats::francais().toUpper(TexteDate(maintenant.date())) + "\r\n" +
           maintenant.time().toString("HH:mm:ss");
}

QString TexteTempsPasse(qint64 secondes) {
    const auto borne = std::clamp<qint64>(secondes, 0, std::numeric_limits<std::int32_t>::max());
    return "Temps écoulé\r\n" + Formate_duree(static_cast<std::int32_t>(borne));
}

void Timer2_tic(QuizState& s, const QDateTime& maintenant) {
    s.DateDuJour = TexteDate(maintenant.date());
    if (!s.ChronoActif) return;
    s.HeureCourante = maintenant;
    s.TempsEcoule = SecondesEcoulees(s.HeureDebut, maintenant);
}
