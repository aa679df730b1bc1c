#include "questionnaire/formats.h"

#include <gtest/gtest.h>

TEST(Formats, texteNote) {
    const struct { float note; const char* texte; } cas[] = {
        {15.0f, "15"}, {15.5f, "15,5"}, {40.0f / 3.0f, "13,33333"}, {20.0f, "20"},
        {-10.0f, "-10"}, {0.0f, "0"}, {17.5f, "17,5"}, {-4.5f, "-4,5"}, {0.25f, "0,25"},
    };
    for (const auto& c : cas) EXPECT_EQ(Formats::texteNote(c.note), QString::fromUtf8(c.texte)) << c.note;
}

TEST(Formats, textePourcentageArrondiALaDecimaleLoinDeZero) {
    const struct { double valeur; const char* texte; } cas[] = {
        {75.0, "75,0"}, {100.0 / 3.0, "33,3"}, {200.0 / 3.0, "66,7"}, {0.0, "0,0"},
        {100.0, "100,0"}, {1.0 / 80.0 * 100.0, "1,3"}, {6.25, "6,3"}, {-6.25, "-6,3"},
        {12345.0, "12345,0"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(Formats::textePourcentage(c.valeur), QString::fromUtf8(c.texte)) << c.valeur;
}

TEST(Formats, texteQuartDeNote) {
    EXPECT_EQ(Formats::texteQuartDeNote(15.5f / 5.0f), "3,1");
    EXPECT_EQ(Formats::texteQuartDeNote(-10.0f / 5.0f), "-2,0");
    EXPECT_EQ(Formats::texteQuartDeNote(20.0f / 5.0f), "4,0");
    EXPECT_EQ(Formats::texteQuartDeNote(16.25f / 5.0f), "3,3");
    // Grouping uses a character that Windows-1252 can hold.
    EXPECT_EQ(Formats::texteQuartDeNote(12345.0f), QString("12") + QChar(0xA0) + "345,0");
}

TEST(Formats, arrondiPairVaAuVoisinPair) {
    const struct { double valeur; long attendu; } cas[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.5, 0}, {1.5, 2}, {2.4, 2}, {2.6, 3}, {1000.0, 1000},
    };
    for (const auto& c : cas) EXPECT_EQ(Formats::arrondiPair(c.valeur), c.attendu) << c.valeur;
}

TEST(Formats, lireNombre) {
    EXPECT_EQ(Formats::lireNombre("45"), 45.0);
    EXPECT_EQ(Formats::lireNombre("-3"), -3.0);
    EXPECT_EQ(Formats::lireNombre("+2.5"), 2.5);
    EXPECT_EQ(Formats::lireNombre("2,5"), 2.5);
    EXPECT_EQ(Formats::lireNombre("00"), 0.0);
    for (const char* pas : {"", " ", "abc", "1 2", "1e3", "--1", "12a", "0x10"})
        EXPECT_FALSE(Formats::lireNombre(pas).has_value()) << pas;
}

TEST(Formats, pourcentageSansQuestionNeDivisePasParZero) {
    EXPECT_DOUBLE_EQ(Formats::pourcentage(1, 3), 100.0 / 3.0);
    EXPECT_DOUBLE_EQ(Formats::pourcentage(5, 0), 0.0);
}
