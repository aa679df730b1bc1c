#!/bin/bash
# Fails when a lower layer's library calls into a higher one: the core may
# reference no picture, widget or X11 symbol, the picture layer no widget or
# X11 symbol. Usage: scripts/symboles_couches.sh BUILD_DIR
set -u
construction=${1:?usage: $0 BUILD_DIR}
SansFenetres='QWidget|QApplication|XOpenDisplay|XRR'
SansImages="$SansFenetres|QImage|QPixmap|QGuiApplication|QPainter"
echec=0
verifier() {
    local bibliotheque=$construction/$1 interdits=$2 trouves
    [[ -f $bibliotheque ]] || { echo "absent : $bibliotheque"; echec=1; return; }
    trouves=$(nm -C --undefined-only "$bibliotheque" | grep -E "$interdits" | sort -u)
    if [[ -n $trouves ]]; then
        echo "$1 appelle une couche supérieure :"
        echo "$trouves" | head -20
        echec=1
    fi
}
verifier src/noyau/libkorvane_noyau.a "$SansImages"
verifier src/images/libkorvane_images.a "$SansFenetres"
exit $echec
