#!/usr/bin/env python3
"""Draws which folders of src/ include from which, as Graphviz text on the
standard output, and fails (exit 1) on an arrow from a lower layer to a
higher one or on a circle between folders.

    scripts/graphe_inclusions.py > graphe.dot && dot -Tpng graphe.dot > graphe.png
"""
import pathlib
import re
import sys

# Lowest first: a folder may include from its own layer and those before it.
COUCHES = ["noyau", "images", "systeme", "ecrans", "programmes"]
INCLUSION = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def dossier(chemin: str) -> str:
    """The folder a source belongs to: a layer, or a layer's sub-folder."""
    parties = chemin.split("/")
    return "/".join(parties[:2]) if len(parties) > 2 else parties[0]


def couche(nom: str) -> int:
    return COUCHES.index(nom.split("/")[0])


def aretes(src: pathlib.Path) -> set:
    trouvees = set()
    for fichier in sorted(src.rglob("*")):
        if fichier.suffix not in (".h", ".cpp"):
            continue
        de = dossier(fichier.relative_to(src).as_posix())
        for inclus in INCLUSION.findall(fichier.read_text(encoding="utf-8")):
            if (src / inclus).exists() and dossier(inclus) != de:
                trouvees.add((de, dossier(inclus)))
    return trouvees


def circuits(arcs: set) -> list:
    suivants = {}
    for de, vers in arcs:
        suivants.setdefault(de, set()).add(vers)
    trouves, etat = [], {}

    def visiter(noeud, pile):
        etat[noeud] = "en cours"
        for vers in sorted(suivants.get(noeud, ())):
            if etat.get(vers) == "en cours":
                trouves.append(pile[pile.index(vers):] + [vers])
            elif vers not in etat:
                visiter(vers, pile + [vers])
        etat[noeud] = "fini"

    for noeud in sorted(suivants):
        if noeud not in etat:
            visiter(noeud, [noeud])
    return trouves


def main() -> int:
    src = pathlib.Path(__file__).resolve().parent.parent / "src"
    arcs = aretes(src)
    print("digraph inclusions {\n  rankdir=BT;")
    for de, vers in sorted(arcs):
        print(f'  "{de}" -> "{vers}";')
    print("}")
    fautes = [f"{de} -> {vers} : une couche basse inclut une couche haute"
              for de, vers in sorted(arcs) if couche(de) < couche(vers)]
    fautes += ["circuit : " + " -> ".join(c) for c in circuits(arcs)]
    for faute in fautes:
        print(faute, file=sys.stderr)
    return 1 if fautes else 0


if __name__ == "__main__":
    sys.exit(main())
