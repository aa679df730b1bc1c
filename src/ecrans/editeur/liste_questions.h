#pragma once
#include "noyau/questionnaire/questionnaire.h"

#include <QAbstractListModel>

#include <functional>

// The editor's question list: one row per question of the model, "N. text".
// A drag in the view asks `deplacer` to move the question; the move is
// shown once the questionnaire comes back through `poser`.
class ListeQuestions : public QAbstractListModel {
public:
    explicit ListeQuestions(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    // The questions to show, rows added or removed at the end as needed.
    void poser(const QVector<Question>& questions);

    std::function<void(int de, int vers)> deplacer;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    bool moveRows(const QModelIndex& source, int ligne, int nombre, const QModelIndex& cible,
                  int avant) override;

private:
    QVector<Question> questions_;
};
