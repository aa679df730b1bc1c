#pragma once
#include <QDateTime>

class Horloge {
public:
    virtual ~Horloge() = default;
    virtual QDateTime maintenant() const = 0;
};

class HorlogeSysteme : public Horloge {
public:
    QDateTime maintenant() const override { return QDateTime::currentDateTime(); }
};
