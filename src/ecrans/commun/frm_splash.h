#pragma once
#include <QWidget>

class QLabel;
class QTimer;
class Navigation;
struct QuizState;
struct Services;

// Start procedure: hourglass pointer, then the splash screen.
void Main(Navigation& navigation);

// The splash screen: opening records the display size and switches to
// 800 x 600 when needed; five seconds later it gives way to the library.
class frmSplash : public QWidget {
public:
    static constexpr int LargeurTwips = 7500;  // 500 pixels
    static constexpr int HauteurTwips = 5475;  // 365 pixels
    static constexpr int IntervalleTimer1 = 5000;

    frmSplash(QuizState& etat, Services& services, Navigation& navigation,
              QWidget* parent = nullptr);

    void Timer1_Timer();

protected:
    void showEvent(QShowEvent* evenement) override;

private:
    void Form_Load();
    void centrer();

    QuizState& etat_;
    Services& services_;
    Navigation& navigation_;
    QLabel* Image1 = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* lblTitre = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QTimer* Timer1 = nullptr;
};
