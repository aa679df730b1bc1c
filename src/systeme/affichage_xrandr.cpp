#include "systeme/affichage_xrandr.h"

#include "systeme/affichage_fixe.h"

#include <algorithm>

// Xlib's macros (None, Bool, Status...) clash with Qt names: X11 comes last.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

// Xlib's default error handler ends the process; a refused change must not.
int erreurX = 0;
int noterErreur(Display*, XErrorEvent* evenement) {
    erreurX = evenement->error_code;
    return 0;
}

class ErreursCapturees {
public:
    explicit ErreursCapturees(Display* connexion) : connexion_(connexion) {
        XSync(connexion_, False);
        erreurX = 0;
        precedent_ = XSetErrorHandler(noterErreur);
    }
    ~ErreursCapturees() {
        XSync(connexion_, False);
        XSetErrorHandler(precedent_);
    }

private:
    Display* connexion_;
    XErrorHandler precedent_;
};

struct Ressources {
    explicit Ressources(Display* connexion)
        : r(XRRGetScreenResourcesCurrent(connexion, DefaultRootWindow(connexion))) {}
    ~Ressources() {
        if (r) XRRFreeScreenResources(r);
    }
    XRRScreenResources* r;
};

struct InfoSortie {
    InfoSortie(Display* connexion, XRRScreenResources* res, RROutput sortie)
        : i(XRRGetOutputInfo(connexion, res, sortie)) {}
    ~InfoSortie() {
        if (i) XRRFreeOutputInfo(i);
    }
    XRROutputInfo* i;
};

struct InfoCrtc {
    InfoCrtc(Display* connexion, XRRScreenResources* res, RRCrtc crtc)
        : i(crtc ? XRRGetCrtcInfo(connexion, res, crtc) : nullptr) {}
    ~InfoCrtc() {
        if (i) XRRFreeCrtcInfo(i);
    }
    XRRCrtcInfo* i;
};

// The output whose size is recorded and switched: the primary one, else the
// first output that is lit.
RROutput sortieDeReference(Display* connexion, XRRScreenResources* res) {
    const RROutput primaire = XRRGetOutputPrimary(connexion, DefaultRootWindow(connexion));
    if (primaire) {
        InfoSortie info(connexion, res, primaire);
        if (info.i && info.i->crtc) return primaire;
    }
    for (int n = 0; n < res->noutput; ++n) {
        InfoSortie info(connexion, res, res->outputs[n]);
        if (info.i && info.i->connection == RR_Connected && info.i->crtc) return res->outputs[n];
    }
    return 0;
}

const XRRModeInfo* mode(const XRRScreenResources* res, RRMode id) {
    for (int n = 0; n < res->nmode; ++n)
        if (res->modes[n].id == id) return &res->modes[n];
    return nullptr;
}

bool tourne(Rotation rotation) { return rotation & (RR_Rotate_90 | RR_Rotate_270); }

// A mode of the output whose picture is largeur x hauteur once rotated;
// the output's preferred modes come first in its list, and a progressive
// mode is taken before an interlaced one.
RRMode modeDeTaille(const XRRScreenResources* res, const XRROutputInfo* sortie, Rotation rotation,
                    int largeur, int hauteur) {
    if (tourne(rotation)) std::swap(largeur, hauteur);
    RRMode entrelace = 0;
    for (int n = 0; n < sortie->nmode; ++n) {
        const XRRModeInfo* m = mode(res, sortie->modes[n]);
        if (!m || int(m->width) != largeur || int(m->height) != hauteur) continue;
        if (!(m->modeFlags & RR_Interlace)) return m->id;
        if (!entrelace) entrelace = m->id;
    }
    return entrelace;
}

// The screen size as the server has it; invalid when it cannot be read.
QSize tailleRacine(Display* connexion) {
    Window racine = 0;
    int x = 0, y = 0;
    unsigned int l = 0, h = 0, bord = 0, profondeur = 0;
    if (!XGetGeometry(connexion, DefaultRootWindow(connexion), &racine, &x, &y, &l, &h, &bord,
                      &profondeur))
        return QSize();
    return QSize(int(l), int(h));
}

// The screen size that holds every lit output once the crtc shows `taille`,
// within the sizes the screen allows.
QSize tailleFinale(Display* connexion, XRRScreenResources* res, RRCrtc crtc, QSize taille) {
    int finLargeur = 0, finHauteur = 0;
    for (int n = 0; n < res->ncrtc; ++n) {
        const bool change = res->crtcs[n] == crtc;
        InfoCrtc autre(connexion, res, res->crtcs[n]);
        if (!autre.i || !autre.i->mode) continue;
        finLargeur =
            std::max(finLargeur, autre.i->x + (change ? taille.width() : int(autre.i->width)));
        finHauteur =
            std::max(finHauteur, autre.i->y + (change ? taille.height() : int(autre.i->height)));
    }
    int minL = 0, minH = 0, maxL = 0, maxH = 0;
    if (XRRGetScreenSizeRange(connexion, DefaultRootWindow(connexion), &minL, &minH, &maxL,
                              &maxH)) {
        finLargeur = std::clamp(finLargeur, minL, maxL);
        finHauteur = std::clamp(finHauteur, minH, maxH);
    }
    return QSize(finLargeur, finHauteur);
}

// Resizes the screen; its millimetres follow the pixels, so the dots per
// inch stay as they were when it was made.
class Redimensionneur {
public:
    explicit Redimensionneur(Display* connexion) : connexion_(connexion) {
        const int ecran = DefaultScreen(connexion);
        mmParPixelX_ =
            double(DisplayWidthMM(connexion, ecran)) / std::max(1, DisplayWidth(connexion, ecran));
        mmParPixelY_ = double(DisplayHeightMM(connexion, ecran)) /
                       std::max(1, DisplayHeight(connexion, ecran));
    }
    void operator()(QSize taille) const {
        XRRSetScreenSize(connexion_, DefaultRootWindow(connexion_), taille.width(), taille.height(),
                         int(mmParPixelX_ * taille.width() + 0.5),
                         int(mmParPixelY_ * taille.height() + 0.5));
    }

private:
    Display* connexion_;
    double mmParPixelX_ = 0, mmParPixelY_ = 0;
};

// Sets the crtc's new mode, the screen going from `avant` to `fin`. The crtc
// must fit in the screen at every step: the screen grows first, then the
// mode is set, then the screen shrinks to its final size; a refused mode
// puts the screen back.
void basculer(Display* connexion, XRRScreenResources* res, RRCrtc crtc, const XRRCrtcInfo& info,
              RRMode nouveau, QSize avant, QSize fin) {
    const Redimensionneur redimensionner(connexion);
    const QSize inter = avant.expandedTo(fin);
    XGrabServer(connexion);
    if (inter != avant) redimensionner(inter);
    XSync(connexion, False);
    const bool agrandi = erreurX == 0;
    const Status statut = agrandi
                              ? XRRSetCrtcConfig(connexion, res, crtc, CurrentTime, info.x, info.y,
                                                 nouveau, info.rotation, info.outputs, info.noutput)
                              : Status(RRSetConfigFailed);
    if (statut == RRSetConfigSuccess && erreurX == 0) {
        if (fin != inter) redimensionner(fin);
    } else if (inter != avant) {
        redimensionner(avant);
    }
    XUngrabServer(connexion);
    XSync(connexion, False);
}

}  // namespace

std::unique_ptr<AffichageXrandr> AffichageXrandr::ouvrir(const QString& nomAffichage) {
    const QByteArray nom = nomAffichage.toLocal8Bit();
    Display* connexion = XOpenDisplay(nom.isEmpty() ? nullptr : nom.constData());
    if (!connexion) return nullptr;
    int evenement = 0, erreur = 0, majeure = 0, mineure = 0;
    if (!XRRQueryExtension(connexion, &evenement, &erreur) ||
        !XRRQueryVersion(connexion, &majeure, &mineure) || (majeure == 1 && mineure < 2)) {
        XCloseDisplay(connexion);
        return nullptr;
    }
    return std::unique_ptr<AffichageXrandr>(new AffichageXrandr(connexion));
}

AffichageXrandr::~AffichageXrandr() { XCloseDisplay(connexion_); }

QSize AffichageXrandr::taille() const {
    Display* connexion = connexion_;
    ErreursCapturees erreurs(connexion);
    Ressources res(connexion);
    if (res.r) {
        if (const RROutput sortie = sortieDeReference(connexion, res.r)) {
            InfoSortie info(connexion, res.r, sortie);
            InfoCrtc crtc(connexion, res.r, info.i ? info.i->crtc : 0);
            if (crtc.i && crtc.i->mode) return QSize(int(crtc.i->width), int(crtc.i->height));
        }
    }
    return tailleRacine(connexion);
}

void AffichageXrandr::changer(int largeur, int hauteur) {
    Display* connexion = connexion_;
    ErreursCapturees erreurs(connexion);
    Ressources res(connexion);
    if (!res.r) return;
    const RROutput sortie = sortieDeReference(connexion, res.r);
    if (!sortie) return;
    InfoSortie infoSortie(connexion, res.r, sortie);
    if (!infoSortie.i) return;
    const RRCrtc crtc = infoSortie.i->crtc;
    InfoCrtc infoCrtc(connexion, res.r, crtc);
    if (!infoCrtc.i) return;
    if (int(infoCrtc.i->width) == largeur && int(infoCrtc.i->height) == hauteur) return;
    const RRMode nouveau =
        modeDeTaille(res.r, infoSortie.i, infoCrtc.i->rotation, largeur, hauteur);
    if (!nouveau) return;
    const QSize fin = tailleFinale(connexion, res.r, crtc, QSize(largeur, hauteur));
    // Xlib's own copy of the screen size is only as fresh as the events this
    // connection has read; the root window's geometry comes from the server.
    const QSize avant = tailleRacine(connexion);
    if (!avant.isValid()) return;
    basculer(connexion, res.r, crtc, *infoCrtc.i, nouveau, avant, fin);
}

std::unique_ptr<Affichage> choisirAffichage(const QString& plateforme) {
    if (plateforme == QLatin1String("xcb"))
        if (auto xrandr = AffichageXrandr::ouvrir()) return xrandr;
    return std::make_unique<AffichageFixe>();
}
