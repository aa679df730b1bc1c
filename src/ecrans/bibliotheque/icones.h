#pragma once
#include <QIcon>

// The two icons of the library screen's buttons, drawn rather than shipped.
namespace Icones {
QIcon lancer();
QIcon quitter();
}  // namespace Icones
