#pragma once
#include "noyau/services/affichage.h"
#include "noyau/services/dialogues.h"
#include "noyau/services/documents.h"
#include "noyau/services/hasard.h"
#include "noyau/services/horloge.h"

// What the screens need of the platform, injected so that tests can script it.
struct Services {
    Dialogues& dialogues;
    Horloge& horloge;
    SourceAleatoire& hasard;
    Affichage& affichage;
    OuvreurDocuments& documents;
};
