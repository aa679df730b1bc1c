#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel fenetre("Korvane");
    fenetre.show();
    return application.exec();
}
