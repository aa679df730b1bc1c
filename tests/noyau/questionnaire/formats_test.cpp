#include "noyau/questionnaire/formats.h"

#include <gtest/gtest.h>

// Marks and percentages as the results screen and record show them; halves
// round away from zero, and grouping uses a character Windows-1252 can hold.
TEST(Formats, textesDesNombres) {
    using namespace Formats;
    const struct {
        QString obtenu;
        QString attendu;
    } cas[] = {
        {texteNote(15.0f), "15"},
        {texteNote(15.5f), "15,5"},
        {texteNote(40.0f / 3.0f), "13,33333"},
        {texteNote(-10.0f), "-10"},
        {texteNote(0.0f), "0"},
        {texteNote(-4.5f), "-4,5"},
        {texteNote(0.25f), "0,25"},
        {textePourcentage(75.0), "75,0"},
        {textePourcentage(100.0 / 3.0), "33,3"},
        {textePourcentage(200.0 / 3.0), "66,7"},
        {textePourcentage(0.0), "0,0"},
        {textePourcentage(100.0), "100,0"},
        {textePourcentage(1.0 / 80.0 * 100.0), "1,3"},
        {textePourcentage(6.25), "6,3"},
        {textePourcentage(-6.25), "-6,3"},
        {textePourcentage(12345.0), "12345,0"},
        {texteQuartDeNote(15.5f / 5.0f), "3,1"},
        {texteQuartDeNote(-10.0f / 5.0f), "-2,0"},
        {texteQuartDeNote(20.0f / 5.0f), "4,0"},
        {texteQuartDeNote(16.25f / 5.0f), "3,3"},
        {texteQuartDeNote(12345.0f), QString("12") + QChar(0xA0) + "345,0"},
    };
    for (const auto& c : cas) EXPECT_EQ(c.obtenu, c.attendu);
}

TEST(Formats, arrondiPairVaAuVoisinPair) {
    const struct {
        double valeur;
        long attendu;
    } cas[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.5, 0}, {1.5, 2}, {2.4, 2}, {2.6, 3}, {1000.0, 1000},
    };
    for (const auto& c : cas) EXPECT_EQ(Formats::arrondiPair(c.valeur), c.attendu) << c.valeur;
}

TEST(Formats, lireNombreEtPourcentage) {
    const struct {
        const char* texte;
        double valeur;
    } nombres[] = {
        {"45", 45.0}, {"-3", -3.0}, {"+2.5", 2.5}, {"2,5", 2.5}, {"00", 0.0},
    };
    for (const auto& c : nombres) EXPECT_EQ(Formats::lireNombre(c.texte), c.valeur) << c.texte;
    for (const char* pas : {"", " ", "abc", "1 2", "1e3", "--1", "12a", "0x10"})
        EXPECT_FALSE(Formats::lireNombre(pas).has_value()) << pas;
    EXPECT_DOUBLE_EQ(Formats::pourcentage(1, 3), 100.0 / 3.0);
    EXPECT_DOUBLE_EQ(Formats::pourcentage(5, 0), 0.0);  // no question: no division by zero
}
