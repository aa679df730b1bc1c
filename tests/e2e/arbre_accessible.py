"""Walks the program's accessibility tree the way a screen reader does.

Usage (from accessibilite_test.sh): PROGRAM_FOLDER LOG_FILE. On every screen
each focusable control and picture must have a French name; one question is
answered through the tree alone, and the verdict and the mark must say so.
"""
import contextlib
import re
import subprocess
import sys
import time

import gi
from gi.repository import GLib

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

PROGRAMME, JOURNAL = sys.argv[1:3]
ETAT = Atspi.StateType
ROLE = Atspi.Role
BOUTON = ROLE.PUSH_BUTTON

# A name that is an identifier of the code or a toolkit default in English
# is no name for a French pupil.
IDENTIFIANT = re.compile(r"^(cmd|lbl|txt|chk|frm|prg|qt_)\w*$|^[A-Z][a-z]+[0-9]+$")
ANGLAIS = re.compile(r"\b(picture|image area|button|scroll|line up|line down|page up|"
                     r"page down|close|cancel|open|progress|label|widget)\b",
                     re.IGNORECASE)
BIBLIOTHEQUE = "GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES"


class Echec(Exception):
    """What the screen reader could not find or do."""


def attendre(condition, quoi, delai=20.0):
    """The first truthy value of condition(), polled, or a failure."""
    fin = time.monotonic() + delai
    while time.monotonic() <= fin:
        try:
            valeur = condition()
        except GLib.Error:
            valeur = None  # an object gone during the look: look again
        if valeur:
            return valeur
        time.sleep(0.1)
    raise Echec(f"{quoi}: not seen within {delai:.0f} s")


def nom(objet):
    objet.clear_cache()  # names change: never the one seen before
    return objet.get_name() or ""


def etat(objet, *etats):
    objet.clear_cache()
    s = objet.get_state_set()
    return all(s.contains(e) for e in etats)


def enfants(objet):
    return (e for e in map(objet.get_child_at_index, range(objet.get_child_count())) if e)


def descendants(objet):
    for enfant in enfants(objet):
        yield enfant
        yield from descendants(enfant)


def decrire(objet):
    return f'{objet.get_role_name()} "{objet.get_name()}"'


class Korvane:
    def __init__(self):
        with open(JOURNAL, "a") as journal:
            self.processus = subprocess.Popen(["./korvane"], cwd=PROGRAMME,
                                              stdout=journal, stderr=subprocess.STDOUT)
        self.application = attendre(self._application, "the program on the accessibility bus", 30)

    def _application(self):
        if self.processus.poll() is not None:
            raise Echec(f"the program ended with code {self.processus.returncode}")
        return next((a for a in enfants(Atspi.get_desktop(0))
                     if a.get_process_id() == self.processus.pid), None)

    def fenetres(self):
        self.application.clear_cache()
        return [f for f in enfants(self.application) if etat(f, ETAT.SHOWING)]

    def fenetre(self, motif, delai=20.0, fermee=False):
        """The window on show whose name matches, or its closing."""
        motif = re.compile(motif)

        def vue():
            return next((f for f in self.fenetres() if motif.search(f.get_name() or "")), None)
        return attendre((lambda: not vue()) if fermee else vue,
                        f'window "{motif.pattern}"{" closed" if fermee else ""}', delai)

    def verifiee(self, motif, delai=20.0):
        return verifier(self.fenetre(motif, delai))


def verifier(fenetre):
    """The window, once its every focusable control and picture on show
    has a French name."""
    fautes = [] if fenetre.get_name() else [f"the window itself, {decrire(fenetre)}"]
    vus = [o for o in descendants(fenetre) if etat(o, ETAT.SHOWING) and
           (o.get_role() == ROLE.IMAGE or etat(o, ETAT.FOCUSABLE))]
    for objet in vus:
        texte = (objet.get_name() or "").strip()
        if not texte or IDENTIFIANT.match(texte) or ANGLAIS.search(texte):
            parent = objet.get_parent()
            fautes.append(f"{decrire(objet)} in {decrire(parent) if parent else '?'}")
    if fautes:
        raise Echec(f'window "{fenetre.get_name()}": no French name for\n  ' + "\n  ".join(fautes))
    if not vus:
        raise Echec(f'window "{fenetre.get_name()}": nothing focusable on show')
    print(f'ok: {decrire(fenetre)}, {len(vus)} controls and pictures named')
    return fenetre


def premier(racine, role, motif=""):
    """The first object on show of this role (any when None) whose name
    matches the pattern, or None."""
    return next((o for o in descendants(racine) if role in (None, o.get_role()) and
                 etat(o, ETAT.SHOWING) and re.search(motif, o.get_name() or "")), None)


def trouver(racine, role, motif="", delai=10.0):
    quoi = "object" if role is None else Atspi.role_get_name(role)
    return attendre(lambda: premier(racine, role, motif), f'{quoi} "{motif}"', delai)


def actionner(racine, role, motif=""):
    """Triggers the control's default action (press, toggle), as a screen reader does."""
    objet = trouver(racine, role, motif)
    if "Action" not in objet.get_interfaces() or Atspi.Action.get_n_actions(objet) == 0:
        raise Echec(f"{decrire(objet)} has no action")
    Atspi.Action.do_action(objet, 0)
    return objet


def bibliotheque(k):
    fenetre = k.verifiee(BIBLIOTHEQUE, 30)
    liste = trouver(fenetre, ROLE.LIST, "questionnaires")
    rang = next((i for i, e in enumerate(enfants(liste)) if e.get_name() == "VOLCANS"), None)
    if rang is None:
        raise Echec("VOLCANS is not in the library list")
    Atspi.Table.add_row_selection(liste, rang)
    actionner(fenetre, BOUTON, "Lancer")


def identification(k):
    fenetre = k.verifiee("^IDENTIFICATION$")
    saisies = [o for o in descendants(fenetre)
               if o.get_role() == ROLE.TEXT and etat(o, ETAT.EDITABLE, ETAT.SHOWING)]
    if len(saisies) != 2:
        raise Echec(f"identification: {len(saisies)} entries instead of 2")
    for saisie, texte in zip(saisies, ("a11y", "3b")):
        Atspi.EditableText.set_text_contents(saisie, texte)
    actionner(fenetre, BOUTON, "^Valider$")


def visionneuse(k, quiz):
    actionner(quiz, BOUTON, "Afficher l'image")
    fenetre = k.verifiee(r"^ILLUSTRATION DE LA QUESTION N°\d+$")
    trouver(fenetre, ROLE.IMAGE, "Illustration")
    actionner(fenetre, BOUTON, "Outils Graphiques")
    actionner(k.verifiee("^Outils Graphiques$"), BOUTON, "vers la droite")
    actionner(fenetre, BOUTON, "^Quitter$")
    k.fenetre("^ILLUSTRATION|^Outils Graphiques$", fermee=True)


def question(k, quiz):
    """Ticks the first answer and validates, through the tree alone."""
    verdict = trouver(quiz, None, "^(Verdict|Réponse|Pas de réponse)")
    note = trouver(quiz, None, "^Note : ")
    avant = (nom(verdict), nom(note))
    case = actionner(quiz, ROLE.CHECK_BOX)
    attendre(lambda: etat(case, ETAT.CHECKED), "the first answer ticked")
    actionner(quiz, BOUTON, "^Valider$")
    attendre(lambda: nom(verdict) in ("Réponse juste", "Réponse fausse") and nom(note) != avant[1],
             f"the verdict and the mark said (before: {avant})")
    print(f'ok: answered, "{nom(verdict)}", "{nom(note)}"')
    if any(f.get_name() == "Commentaire" for f in k.fenetres()):
        actionner(k.verifiee("^Commentaire$"), BOUTON, "^OK$")
        k.fenetre("^Commentaire$", fermee=True)


def quiz(k):
    fenetre = k.verifiee("volcans")
    actionner(fenetre, BOUTON, "^Valider$")  # past the introduction
    vu = False
    for rang in range(12):  # until a question answered and a picture seen
        trouver(fenetre, ROLE.CHECK_BOX)
        verifier(fenetre)
        if not vu and premier(fenetre, BOUTON, "Afficher l'image"):
            visionneuse(k, fenetre)
            vu = True
        if vu and rang > 0:
            break
        question(k, fenetre)
    else:
        raise Echec("no question with a picture was met")
    actionner(fenetre, BOUTON, "Abandon")
    actionner(k.verifiee("^ATTENTION$"), BOUTON, "Oui")


def main():
    Atspi.set_timeout(5000, 15000)
    k = None
    try:
        k = Korvane()
        # The splash, when still on show, is walked too.
        premiere = k.fenetre("", 30)
        with contextlib.suppress(GLib.Error):  # closed while it was walked
            if premiere.get_name() != BIBLIOTHEQUE:
                verifier(premiere)
        bibliotheque(k)
        identification(k)
        quiz(k)
        actionner(k.verifiee("^RESULTATS OBTENUS$"), BOUTON, "Quitter")
        if (code := k.processus.wait(20)) != 0:
            raise Echec(f"the program ended with code {code}")
    except (Echec, subprocess.TimeoutExpired) as e:
        print(f"FAIL: {e}", file=sys.stderr)
        for f in k.fenetres() if k else []:
            print(f"  on show: {decrire(f)}", file=sys.stderr)
        return 1
    finally:
        if k and k.processus.poll() is None:
            k.processus.kill()
            k.processus.wait()
    print("PASS: every screen named in French, one question answered through the tree")
    return 0


if __name__ == "__main__":
    sys.exit(main())
