#pragma once
#include <cstdint>
#include <random>

// Uniform values in [0, 1) for the draw of the question order.
class SourceAleatoire {
public:
    virtual ~SourceAleatoire() = default;
    // Mixes the clock into the state: two re-seeds within one clock tick
    // still lead to different values.
    virtual void reensemencer(std::uint64_t horloge) = 0;
    virtual float suivant() = 0;
};

class HasardSysteme : public SourceAleatoire {
public:
    HasardSysteme() : moteur_(std::random_device{}()) {}
    void reensemencer(std::uint64_t horloge) override {
        moteur_.seed(moteur_() ^ (horloge * 0x9E3779B97F4A7C15ull));
    }
    float suivant() override { return std::uniform_real_distribution<float>(0.0f, 1.0f)(moteur_); }

private:
    std::mt19937_64 moteur_;
};
