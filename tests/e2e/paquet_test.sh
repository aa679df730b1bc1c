#!/usr/bin/env bash
# The build keeps a teacher's edits in its copy of the sample library. The
# Debian package as a classroom gets it: built by cpack, passed by
# lintian, desktop-file-validate and appstreamcli, extracted into a scratch
# root. The installed korvane-check finds the installed examples ready, and
# the installed program, pointed by KORVANE_BIBLIOTHEQUE at a library of
# its own, plays one questionnaire to its results file.
#
# Usage: bash paquet_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
source "$(dirname "$0")/fenetres.sh"
exiger cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli lintian
build=$(dirname "$RUN_DIR")

# ------------------------------- the build's copy of the sample library
# A teacher's edit there survives the next build; what is missing comes back.
copie="$travail/copie"
copier() {
  cmake -DSOURCE="$SOURCE_DIR/library" -DDESTINATION="$copie" \
        -P "$SOURCE_DIR/packaging/copier_manquants.cmake" || echec "copier_manquants.cmake failed"
}
copier
echo "modifié" >"$copie/VOLCANS/VOLCANS.dat"
rm "$copie/PLANETES/PLANETES.ini"
copier
[ "$(cat "$copie/VOLCANS/VOLCANS.dat")" = "modifié" ] || echec "the build overwrote an edited questionnaire"
cmp -s "$copie/PLANETES/PLANETES.ini" "$SOURCE_DIR/library/PLANETES/PLANETES.ini" ||
  echec "the build did not copy back a missing file"

# ------------------------------------------------------------ the package
(cd "$travail" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$travail/paquet") \
  >"$travail/cpack.log" 2>&1 || { cat "$travail/cpack.log" >&2; echec "cpack failed"; }
deb=$(ls "$travail"/paquet/korvane_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || echec "cpack made no korvane_*.deb"
lintian --fail-on error "$deb" >&2 || echec "lintian reports errors on $deb"
dependances=$(dpkg-deb -f "$deb" Depends)
for attendue in libqt6widgets6 libxrandr2 qt6-image-formats-plugins libqt6svg6 xdg-utils; do
  [[ "$dependances" == *"$attendue"* ]] || echec "the package does not depend on $attendue"
done
[[ "$dependances" =~ gtest|benchmark|xvfb|xdotool ]] && echec "test tools in Depends: $dependances"

racine="$travail/racine"
dpkg-deb -x "$deb" "$racine" || echec "dpkg-deb -x failed"
usr="$racine/usr"
for entree in org.korvane.Korvane korvane-editeur; do
  desktop-file-validate "$usr/share/applications/$entree.desktop" ||
    echec "desktop-file-validate $entree"
done
appstreamcli validate --no-net "$usr/share/metainfo/org.korvane.Korvane.metainfo.xml" ||
  echec "appstreamcli validate"
for icone in scalable/apps/korvane.svg {16x16,48x48,256x256}/apps/korvane.png; do
  [ -s "$usr/share/icons/hicolor/$icone" ] || echec "icon $icone missing"
done
verification=$("$usr/bin/korvane-check" "$usr/share/korvane/exemples") ||
  echec "the installed examples are not ready: $verification"
[ "$(grep -c ' : prêt$' <<<"$verification")" -eq 3 ] || echec "korvane-check: $verification"

# ------------------------------------- one questionnaire on a class library
classe="$travail/classe"
mkdir "$classe"
cp -r "$usr/share/korvane/exemples/VOLCANS" "$classe/" || echec "no VOLCANS among the installed examples"
# A pupil's session with no settings of its own.
export HOME="$travail/home" XDG_CONFIG_HOME="$travail/home/.config" XDG_DATA_HOME="$travail/home/.local/share"
export KORVANE_BIBLIOTHEQUE="$classe"

demarrer_x
commencer "$usr/bin/korvane" e2e 5b "^Les volcans d'Auvergne$"
abandonner
[ -f "$classe/VOLCANS/VOLCANS _E2E_5B_.rst" ] || echec "no results file in the class library"
quitter "$resultats"
[ -e "$XDG_DATA_HOME/korvane" ] && echec "a user library was made although one was configured"

echo "PASS: package built and valid, installed programs run on the configured library"
