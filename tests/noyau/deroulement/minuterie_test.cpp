#include "noyau/deroulement/minuterie.h"

#include "noyau/deroulement/duree.h"

#include <gtest/gtest.h>

namespace {
// Seconds left shown at each tick of Timer1 until it stops.
QStringList decompte(QuizState& s, int maximum) {
    QStringList restants;
    for (int i = 0; i < 100; ++i) {
        const TicMinuterie tic = Timer1_tic(s, maximum, IntervalleMinuterie, {});
        EXPECT_LE(tic.valeur, maximum);
        restants << tic.texte.section(' ', 3, 3);
        if (tic.arreter) break;
    }
    return restants;
}
}  // namespace

TEST(Minuterie, CountdownRunsDownAndStopsAndCyclingStaysWithinThePicturesRead) {
    QuizState s;
    EXPECT_EQ(decompte(s, 15).join(','), "28,26,24,22,20,18,16,14,12,10,8,6,4,2,0");
    EXPECT_EQ(s.TicsMinuterie, 1);
    s.TicsMinuterie = 0;
    EXPECT_EQ(decompte(s, 12).size(), 12);  // "25": the last second is lost
    // Shorter than two seconds: one tick, the bar full, never overfull.
    for (int maximum : {0, -3}) {
        QuizState court;
        EXPECT_EQ(decompte(court, MaximumBarre(maximum)), QStringList{"0"});
    }

    s = QuizState();
    s.ModeImages = 1;
    s.NbImages = 3;
    for (int i = 1; i <= 3; ++i) s.TableImages[1][i] = QString("p%1").arg(i);
    QStringList montrees;
    for (int i = 0; i < 9; ++i)
        Timer1_tic(s, 1000, IntervalleMinuterie, [&](const QString& nom) {
            montrees << nom;
            return true;
        });
    EXPECT_EQ(montrees.join(','), "p1,p2,p3,p1,p2,p3,p1");  // the last one stays two ticks
    // A picture that cannot be shown: the countdown waits for the next tick.
    EXPECT_FALSE(
        Timer1_tic(s, 15, IntervalleMinuterie, [](const QString&) { return false; }).decompte);

    QuizState beaucoup;  // more pictures announced than the table holds
    beaucoup.ModeImages = 1;
    beaucoup.NbImages = 150;
    for (int i = 1; i <= MaxQuestions; ++i) beaucoup.TableImages[1][i] = "x.gif";
    int plusGrand = 0;
    for (int i = 0; i < 400; ++i) {
        Timer1_tic(beaucoup, 1000, IntervalleMinuterie, [](const QString&) { return true; });
        plusGrand = std::max(plusGrand, beaucoup.ImageCourante);
    }
    EXPECT_EQ(plusGrand, MaxQuestions);
}

TEST(Duree, ElapsedTimeAndClockAcrossMidnight) {
    const std::pair<int, const char*> cas[] = {
        {125 * 3600 + 3725, "126 heures 02 minutes 05 secondes."},
        {-40, "00 minutes 00 secondes."},
    };
    for (const auto& [secondes, texte] : cas) EXPECT_EQ(Formate_duree(secondes), texte);

    QuizState s;
    const QDateTime avant(QDate(2026, 12, 5), QTime(23, 59, 50));
    Timer2_tic(s, avant);
    EXPECT_EQ(s.DateDuJour, "samedi 5 décembre 2026");
    EXPECT_EQ(TexteHorloge(QDateTime(QDate(2027, 8, 2), QTime(7, 4, 3))),
              "LUNDI 2 AOÛT 2027\r\n07:04:03");
    s.ChronoActif = true;
    s.HeureDebut = avant;
    Timer2_tic(s, avant.addSecs(20));
    EXPECT_EQ(s.TempsEcoule, 20);
    EXPECT_EQ(s.DateDuJour, "dimanche 6 décembre 2026");
    EXPECT_EQ(SecondesEcoulees(avant, avant.addSecs(-5)), 0);
}
