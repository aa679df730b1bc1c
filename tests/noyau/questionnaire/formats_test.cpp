#include "noyau/questionnaire/formats.h"

#include <gtest/gtest.h>

// Marks and percentages as the results screen and record show them; halves
// round away from zero, and grouping uses a character Windows-1252 can hold.
// Numbers read from a file take either decimal mark and nothing else.
TEST(Formats, TextesEtLectureDesNombres) {
    using namespace Formats;
    const std::pair<QString, QString> cas[] = {
        {texteNote(15.0f), "15"},
        {texteNote(-4.5f), "-4,5"},
        {texteNote(40.0f / 3.0f), "13,33333"},
        {textePourcentage(75.0), "75,0"},
        {textePourcentage(200.0 / 3.0), "66,7"},
        {textePourcentage(1.0 / 80.0 * 100.0), "1,3"},
        {textePourcentage(6.25), "6,3"},
        {textePourcentage(-6.25), "-6,3"},
        {textePourcentage(12345.0), "12345,0"},
        {texteQuartDeNote(-10.0f / 5.0f), "-2,0"},
        {texteQuartDeNote(16.25f / 5.0f), "3,3"},
        {texteQuartDeNote(12345.0f), QString("12") + QChar(0xA0) + "345,0"},
        {textePourcentage(pourcentage(1, 3)), "33,3"},
        {textePourcentage(pourcentage(5, 0)), "0,0"},  // no question: no division by zero
    };
    for (const auto& [obtenu, attendu] : cas) EXPECT_EQ(obtenu, attendu);
    for (const auto& [texte, valeur] :
         {std::pair{"45", 45.0}, {"+2.5", 2.5}, {"-3", -3.0}, {"2,5", 2.5}, {"00", 0.0}})
        EXPECT_EQ(lireNombre(texte), valeur) << texte;
    for (const char* pas : {"", " ", "abc", "1 2", "1e3", "--1", "12a", "0x10"})
        EXPECT_FALSE(lireNombre(pas).has_value()) << pas;
}
