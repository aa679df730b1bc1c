#include "ecrans/editeur/liste_questions.h"

void ListeQuestions::poser(const QVector<Question>& questions) {
    const int avant = static_cast<int>(questions_.size());
    const int apres = static_cast<int>(questions.size());
    if (apres < avant) beginRemoveRows({}, apres, avant - 1);
    if (apres > avant) beginInsertRows({}, avant, apres - 1);
    questions_ = questions;
    if (apres < avant) endRemoveRows();
    if (apres > avant) endInsertRows();
    if (std::min(avant, apres) > 0) emit dataChanged(index(0), index(std::min(avant, apres) - 1));
}

int ListeQuestions::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(questions_.size());
}

QVariant ListeQuestions::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= questions_.size()) return {};
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
    const QString texte = questions_[index.row()].texte.trimmed();
    return QString("%1. %2").arg(index.row() + 1).arg(texte.isEmpty() ? "(sans texte)" : texte);
}

Qt::ItemFlags ListeQuestions::flags(const QModelIndex& index) const {
    // Dropping between rows only: a question is never dropped onto another.
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return QAbstractListModel::flags(index) | Qt::ItemIsDragEnabled;
}

bool ListeQuestions::moveRows(const QModelIndex& source, int ligne, int nombre,
                              const QModelIndex& cible, int avant) {
    if (source.isValid() || cible.isValid() || nombre != 1 || ligne < 0 ||
        ligne >= questions_.size() || avant < 0 || avant > questions_.size())
        return false;
    if (deplacer) deplacer(ligne, avant > ligne ? avant - 1 : avant);
    return true;
}
