#pragma once
#include "noyau/services/dialogues.h"

// Modal QMessageBox; texts joined with CR LF are shown on separate lines.
class DialoguesQt : public Dialogues {
public:
    int afficher(const QString& texte, const QString& titre, int style,
                 QWidget* parent = nullptr) override;
};
