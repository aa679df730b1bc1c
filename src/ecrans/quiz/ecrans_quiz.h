#pragma once

class Application;
class FileAttente;
class JournalEssai;
struct Services;
struct QuizState;

// The quiz screen and those it opens (results, picture viewer, comment),
// each built on first use, for the player and for a teacher's practice run.
void EnregistrerEcransQuiz(Application& navigation, QuizState& etat, Services& services,
                           JournalEssai* journal = nullptr, FileAttente* attente = nullptr);
