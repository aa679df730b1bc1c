#include "ecrans/commun/placement.h"

#include "ecrans/bibliotheque/frm_nom.h"
#include "ecrans/bibliotheque/frm_themes.h"
#include "ecrans/quiz/frm_main.h"
#include "ecrans/resultats/frm_resultats.h"
#include "support/fakes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

// With its title bar, on an 800 x 600 display that keeps room for a panel.
TEST(Placement, MainScreensFitAndOpenCentred) {
    PlateformeSimulee p;
    QuizState s;
    QTemporaryDir vide;
    std::unique_ptr<QWidget> ecrans[] = {
        std::make_unique<frmThèmes>(s, p.services, p.navigation, nullptr, vide.path()),
        std::make_unique<frmNom>(s, p.services, p.navigation),
        std::make_unique<frmMain>(s, p.services, p.navigation),
        std::make_unique<frmRésultats>(s, p.services, p.navigation)};
    const QRect zones[] = {{0, 0, 800, 600 - Placement::Panneau},
                           {0, 0, 1024, 768 - Placement::Panneau},
                           {1024, 30, 800, 570}};  // a second monitor, panel on top
    for (const auto& ecran : ecrans)
        for (const QRect& zone : zones) {
            SCOPED_TRACE(ecran->objectName().toStdString() + " " + std::to_string(zone.width()));
            const QSize cadre = ecran->size().grownBy(Placement::CadreEstime);
            const QRect place(Placement::centrer(cadre, zone), cadre);
            EXPECT_TRUE(zone.contains(place));
            EXPECT_LE(std::abs((place.left() - zone.left()) - (zone.right() - place.right())), 1);
            EXPECT_LE(std::abs((place.top() - zone.top()) - (zone.bottom() - place.bottom())), 1);
        }
    // Larger than the screen: the title bar stays in view.
    EXPECT_EQ(Placement::centrer({900, 700}, {10, 20, 800, 570}), QPoint(10, 20));
}
