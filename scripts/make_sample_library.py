#!/usr/bin/env python3
"""Writes the text files of the sample library as a teacher's Windows editor
would: Windows-1252, CR LF. The pictures are drawn by make_sample_pictures.sh."""
import os
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "library")


def write(path, lines):
    full = os.path.join(ROOT, path)
    os.makedirs(os.path.dirname(full), exist_ok=True)
    with open(full, "wb") as f:
        f.write("".join(line + "\r\n" for line in lines).encode("cp1252"))


def questionnaire(title, questions):
    lines = ["</" + title]
    for text, answers, flags in questions:
        lines.append("0 " + text)
        lines.extend(answers)
        lines.append("=>" + " ".join(flags))
    return lines


VOLCANS = [
    "</Les volcans d'Auvergne",
    "0 Quel est le point culminant du Massif central ?",
    "Le puy de Sancy",
    "Le puy de Dôme",
    "Le Plomb du Cantal",
    "=>1 0 0",
    "0 Quels volcans sont des puys ?",
    "Le puy de la Vache",
    "Le Vésuve",
    "Le puy Pariou",
    "L'Etna",
    "=>1 0 1 0",
]
VOLCANS_INI = [
    "[Fichiers Images]", "0", "1", "cratere.gif", "2", "carte.jpg", "",
    "Ligne non lue", "Ligne non lue", "45",
    "[Commentaires]", "2", "Le Vésuve et l'Etna sont en Italie.",
    "[Fichier d'aide]", "volcans.doc",
]

PLANETES = questionnaire("Le système solaire", [
    ("Quelle est l'étoile au centre du système solaire ?",
     ["Le Soleil", "Sirius", "L'étoile Polaire"], "100"),
    ("Quelles planètes sont des géantes gazeuses ?",
     ["Jupiter", "Vénus", "Saturne", "Mercure"], "1010"),
    ("Combien de planètes compte le système solaire ?",
     ["Sept", "Huit", "Neuf", "Dix"], "0100"),
    ("Quelle planète est surnommée la planète rouge ?",
     ["Vénus", "Jupiter", "Mars", "Neptune"], "0010"),
    ("Quelles planètes possèdent des anneaux ?",
     ["Saturne", "Uranus", "Mercure", "Neptune", "Vénus"], "11010"),
    ("Quelle est la planète la plus proche du Soleil ?",
     ["Vénus", "Mercure", "La Terre"], "010"),
    ("Combien de temps met la lumière du Soleil pour atteindre la Terre ?",
     ["Environ 8 secondes", "Environ 8 minutes", "Environ 8 heures", "Environ 8 jours"], "0100"),
    ("Quel est le seul satellite naturel de la Terre ?",
     ["Phobos", "Titan", "La Lune", "Europe"], "0010"),
    ("Parmi ces objets, lesquels tournent autour du Soleil ?",
     ["Les comètes", "La Lune seule", "Les astéroïdes", "Les planètes naines"], "1011"),
    ("Quelle planète est la plus grande ?",
     ["Neptune", "Jupiter", "La Terre", "Saturne"], "0100"),
    ("Quelle est la température de surface approximative du Soleil ?",
     ["Environ 550 °C", "Environ 5 500 °C", "Environ 55 000 °C"], "010"),
    ("Quelles affirmations sur la Terre sont justes ?",
     ["Elle tourne sur elle-même en 24 heures environ",
      "Elle fait le tour du Soleil en 365 jours environ",
      "Elle est la plus grosse des planètes telluriques",
      "Elle n'a pas d'atmosphère"], "1110"),
    ("Comment appelle-t-on Pluton depuis 2006 ?",
     ["Une planète géante", "Une planète naine", "Une étoile", "Une comète"], "0100"),
])
PLANETES_INI = [
    "[Fichiers Images]", "0",
    "1", "soleil.jpg",
    "2", "jupiter.jpg",
    "4", "mars.jpg",
    "5", "saturne.gif",
    "8", "lune.gif",
    "10", "jupiter.jpg",
    "12", "terre.jpg",
    "", "", "", "0",
    "[Commentaires]",
    "2", "Jupiter et Saturne sont surtout faites d'hydrogène et d'hélium.",
    "5", "Les quatre planètes géantes ont des anneaux ; ceux de Saturne sont les plus visibles.",
    "7", "La lumière parcourt environ 300 000 km par seconde.",
    "9", "La Lune tourne autour de la Terre, qui tourne autour du Soleil.",
    "12", "La Terre a une atmosphère riche en azote et en oxygène.",
    "[Fichier d'aide]", "planetes.html",
]

CORPS = questionnaire("Le corps humain", [
    ("Quel organe pompe le sang dans tout le corps ?",
     ["Le cœur", "Le foie", "L'estomac"], "100"),
    ("Combien d'os compte le squelette d'un adulte ?",
     ["Environ 100", "Environ 206", "Environ 500"], "010"),
    ("Quels organes servent à la respiration ?",
     ["Les poumons", "Les reins", "La trachée", "L'intestin"], "1010"),
    ("Où se fait la digestion des aliments ?",
     ["Dans le tube digestif", "Dans les poumons", "Dans le cœur"], "100"),
    ("Quel est l'os le plus long du corps ?",
     ["Le fémur", "Le tibia", "L'humérus", "Le radius"], "1000"),
    ("Quels vaisseaux ramènent le sang vers le cœur ?",
     ["Les veines", "Les artères", "Les nerfs"], "100"),
])
CORPS_INI = [
    "[Fichiers Images]", "1", "3", "coeur.jpg", "squelette.gif", "poumons.jpg",
    "", "", "", "40",
    "[Commentaires]",
    "2", "Un bébé naît avec environ 300 os qui se soudent en grandissant.",
    "6", "Les artères partent du cœur, les veines y reviennent.",
]


def main():
    write("VOLCANS/VOLCANS.dat", VOLCANS)
    write("VOLCANS/VOLCANS.ini", VOLCANS_INI)
    write("PLANETES/PLANETES.dat", PLANETES)
    write("PLANETES/PLANETES.ini", PLANETES_INI)
    write("CORPS_HUMAIN/CORPS_HUMAIN.dat", CORPS)
    write("CORPS_HUMAIN/CORPS_HUMAIN.ini", CORPS_INI)
    return 0


if __name__ == "__main__":
    sys.exit(main())
