#pragma once
#include <QString>

class QWidget;

// Message boxes of the system: a text, a title and one of the style codes
// below; the answer is the code of the button pressed.
namespace Style {
constexpr int Ok = 0;
constexpr int OkCritique = 16;
constexpr int OuiNonCritique = 20;
constexpr int OkExclamation = 48;
constexpr int OkInformation = 64;
}  // namespace Style

namespace Reponse {
constexpr int Ok = 1;
constexpr int Oui = 6;
constexpr int Non = 7;
}  // namespace Reponse

class Dialogues {
public:
    virtual ~Dialogues() = default;
    virtual int afficher(const QString& texte, const QString& titre, int style,
                         QWidget* parent = nullptr) = 0;
};
