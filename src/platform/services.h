#pragma once
#include "platform/affichage.h"
#include "platform/dialogues.h"
#include "platform/documents.h"
#include "platform/hasard.h"
#include "platform/horloge.h"

// What the screens need of the platform, injected so that tests can script it.
struct Services {
    Dialogues& dialogues;
    Horloge& horloge;
    SourceAleatoire& hasard;
    Affichage& affichage;
    OuvreurDocuments& documents;
};
