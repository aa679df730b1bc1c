"""Walks the program's accessibility tree the way a screen reader does.

Started by accessibilite_test.sh with an X server, a session bus and the
AT-SPI registry ready. Launches the program in the folder given, then on
every screen (splash, library, identification, quiz, comment, viewer,
palette, confirmation, results) checks that every control that can take the
focus and every picture has a French name. The library, the identification
and one question are driven through the tree's own actions and texts, and
the verdict and the mark must then say what happened. Every wait polls
with a bounded delay. Exit 0: pass, 1: fail.
"""
import os
import re
import subprocess
import sys
import time
import warnings

import gi
from gi.repository import GLib

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# Debian 12's bindings call some of the names used here deprecated, with no
# replacement in that version.
warnings.filterwarnings("ignore", category=DeprecationWarning)

PROGRAMME = sys.argv[1]
ETAT = Atspi.StateType
ROLE = Atspi.Role

# A name that is an identifier of the code or a toolkit default in English
# is no name for a French pupil.
IDENTIFIANT = re.compile(r"^(cmd|lbl|txt|chk|frm|prg|qt_)\w*$|^[A-Z][a-z]+[0-9]+$")
ANGLAIS = re.compile(r"\b(picture|image area|button|scroll|line up|line down|page up|"
                     r"page down|close|cancel|open|progress|label|widget)\b",
                     re.IGNORECASE)
BIBLIOTHEQUE = "GENERATEUR DE QUESTIONNAIRES A CHOIX MULTIPLES"


class Echec(Exception):
    pass


def attendre(condition, quoi, delai=20.0):
    """The first truthy value of condition(), polled, or a failure."""
    fin = time.monotonic() + delai
    while True:
        try:
            valeur = condition()
        except GLib.Error:
            valeur = None  # an object gone during the look: look again
        if valeur:
            return valeur
        if time.monotonic() > fin:
            raise Echec(f"{quoi}: not seen within {delai:.0f} s")
        time.sleep(0.1)


def nom(objet):
    objet.clear_cache()  # names change: never the one seen before
    return objet.get_name() or ""


def etat(objet, *etats):
    objet.clear_cache()
    s = objet.get_state_set()
    return all(s.contains(e) for e in etats)


def enfants(objet):
    for i in range(objet.get_child_count()):
        enfant = objet.get_child_at_index(i)
        if enfant is not None:
            yield enfant


def descendants(objet):
    for enfant in enfants(objet):
        yield enfant
        yield from descendants(enfant)


class Korvane:
    def __init__(self):
        journal = open(os.path.join(PROGRAMME, "..", "korvane.log"), "w")
        self.processus = subprocess.Popen(["./korvane"], cwd=PROGRAMME,
                                          stdout=journal, stderr=subprocess.STDOUT)
        self.application = attendre(self._trouver_application,
                                    "the program on the accessibility bus", 30)

    def _trouver_application(self):
        if self.processus.poll() is not None:
            raise Echec(f"the program ended with code {self.processus.returncode}")
        bureau = Atspi.get_desktop(0)
        for application in enfants(bureau):
            if application.get_process_id() == self.processus.pid:
                return application
        return None

    def fenetres(self):
        self.application.clear_cache()
        return [f for f in enfants(self.application) if etat(f, ETAT.SHOWING)]

    def fenetre(self, motif, delai=20.0):
        motif = re.compile(motif)
        return attendre(lambda: next((f for f in self.fenetres()
                                      if motif.search(f.get_name() or "")), None),
                        f'window "{motif.pattern}"', delai)

    def fermee(self, motif, delai=20.0):
        motif = re.compile(motif)
        attendre(lambda: not any(motif.search(f.get_name() or "") for f in self.fenetres()),
                 f'window "{motif.pattern}" closed', delai)


def decrire(objet):
    return f'{objet.get_role_name()} "{objet.get_name()}"'


def verifier(fenetre):
    """The window and every focusable control and picture on show in it
    have a French name."""
    fautes = [] if fenetre.get_name() else [f"the window itself, {decrire(fenetre)}"]
    vus = 0
    for objet in descendants(fenetre):
        if not etat(objet, ETAT.SHOWING):
            continue
        image = objet.get_role() == ROLE.IMAGE
        if not (image or etat(objet, ETAT.FOCUSABLE)):
            continue
        vus += 1
        nom = (objet.get_name() or "").strip()
        if not nom or IDENTIFIANT.match(nom) or ANGLAIS.search(nom):
            parent = objet.get_parent()
            fautes.append(f"{decrire(objet)} in {decrire(parent) if parent else '?'}")
    if fautes:
        raise Echec(f'window "{fenetre.get_name()}": no French name for\n  ' +
                    "\n  ".join(fautes))
    if vus == 0:
        raise Echec(f'window "{fenetre.get_name()}": nothing focusable on show')
    print(f'ok: {decrire(fenetre)}, {vus} controls and pictures named')


def trouver(racine, role, motif=None, delai=10.0):
    """The first control on show of this role (any when None) whose name
    matches the pattern."""
    motif = re.compile(motif) if motif else None

    def chercher():
        for objet in descendants(racine):
            if ((role is None or objet.get_role() == role) and etat(objet, ETAT.SHOWING) and
                    (motif is None or motif.search(objet.get_name() or ""))):
                return objet
        return None
    quoi = Atspi.role_get_name(role) if role is not None else "control"
    return attendre(chercher, f'{quoi} "{motif.pattern if motif else ""}"', delai)


def actionner(objet):
    """The control's own action, as a screen reader's user triggers it."""
    if "Action" not in objet.get_interfaces() or Atspi.Action.get_n_actions(objet) == 0:
        raise Echec(f"{decrire(objet)} has no action")
    noms = [Atspi.Action.get_action_name(objet, i).lower()
            for i in range(Atspi.Action.get_n_actions(objet))]
    voulu = next((noms.index(n) for n in ("press", "toggle", "click") if n in noms), 0)
    Atspi.Action.do_action(objet, voulu)


def bibliotheque(k):
    fenetre = k.fenetre(BIBLIOTHEQUE, 30)
    verifier(fenetre)
    liste = trouver(fenetre, ROLE.LIST, "questionnaires")
    attendre(lambda: etat(liste, ETAT.FOCUSED), "the library list has the focus at opening")
    rang = next((i for i, e in enumerate(enfants(liste)) if e.get_name() == "VOLCANS"), None)
    if rang is None:
        raise Echec("VOLCANS is not in the library list")
    Atspi.Table.add_row_selection(liste, rang)
    actionner(trouver(fenetre, ROLE.PUSH_BUTTON, "Lancer"))


def identification(k):
    fenetre = k.fenetre("^IDENTIFICATION$")
    verifier(fenetre)
    saisies = [o for o in descendants(fenetre)
               if o.get_role() == ROLE.TEXT and etat(o, ETAT.EDITABLE, ETAT.SHOWING)]
    if len(saisies) != 2:
        raise Echec(f"identification: {len(saisies)} entries instead of 2")
    attendre(lambda: etat(saisies[0], ETAT.FOCUSED), "the identifier has the focus at opening")
    for saisie, texte in zip(saisies, ("a11y", "3b")):
        Atspi.EditableText.set_text_contents(saisie, texte)
    actionner(trouver(fenetre, ROLE.PUSH_BUTTON, "^Valider$"))


def viewer(k, quiz):
    actionner(trouver(quiz, ROLE.PUSH_BUTTON, "Afficher l'image"))
    fenetre = k.fenetre(r"^ILLUSTRATION DE LA QUESTION N°\d+$")
    verifier(fenetre)
    trouver(fenetre, ROLE.IMAGE, "Illustration")
    actionner(trouver(fenetre, ROLE.PUSH_BUTTON, "Outils Graphiques"))
    palette = k.fenetre("^Outils Graphiques$")
    verifier(palette)
    actionner(trouver(palette, ROLE.PUSH_BUTTON, "vers la droite"))
    actionner(trouver(fenetre, ROLE.PUSH_BUTTON, "^Quitter$"))
    k.fermee("^ILLUSTRATION|^Outils Graphiques$")


def question(k, quiz, focus):
    """Ticks the first answer and validates, through the tree alone."""
    verdict = trouver(quiz, None, "^(Verdict|Réponse|Pas de réponse)")
    note = trouver(quiz, None, "^Note : ")
    avant = (nom(verdict), nom(note))
    case = trouver(quiz, ROLE.CHECK_BOX)
    # Without a window manager, no window takes the keyboard back when the
    # viewer closes: the focus is checked only before.
    if focus:
        attendre(lambda: etat(case, ETAT.FOCUSED), "the first answer has the focus")
    actionner(case)
    attendre(lambda: etat(case, ETAT.CHECKED), "the first answer ticked")
    actionner(trouver(quiz, ROLE.PUSH_BUTTON, "^Valider$"))
    attendre(lambda: nom(verdict) in ("Réponse juste", "Réponse fausse") and
             nom(note) != avant[1] or None,
             f"the verdict and the mark said (before: {avant})")
    print(f'ok: answered, "{nom(verdict)}", "{nom(note)}"')
    commentaire = next((f for f in k.fenetres() if f.get_name() == "Commentaire"), None)
    if commentaire:
        verifier(commentaire)
        actionner(trouver(commentaire, ROLE.PUSH_BUTTON, "^OK$"))
        k.fermee("^Commentaire$")


def quiz(k):
    fenetre = k.fenetre("volcans")
    verifier(fenetre)
    actionner(trouver(fenetre, ROLE.PUSH_BUTTON, "^Valider$"))  # past the introduction
    repondu = vu = False
    for _ in range(12):
        trouver(fenetre, ROLE.CHECK_BOX)
        verifier(fenetre)
        texte = trouver(fenetre, ROLE.TEXT, "question")
        if not etat(texte, ETAT.FOCUSABLE) or etat(texte, ETAT.EDITABLE):
            raise Echec("the question text is not focusable and read-only")
        if not vu and any(o.get_role() == ROLE.PUSH_BUTTON and etat(o, ETAT.SHOWING) and
                          "Afficher l'image" in (o.get_name() or "")
                          for o in descendants(fenetre)):
            viewer(k, fenetre)
            vu = True
        if repondu and vu:
            break
        question(k, fenetre, focus=not vu)
        repondu = True
    if not (repondu and vu):
        raise Echec("no question with a picture was met")
    actionner(trouver(fenetre, ROLE.PUSH_BUTTON, "Abandon"))
    boite = k.fenetre("^ATTENTION$")
    verifier(boite)
    actionner(trouver(boite, ROLE.PUSH_BUTTON, "Oui"))


def resultats(k):
    fenetre = k.fenetre("^RESULTATS OBTENUS$")
    verifier(fenetre)
    actionner(trouver(fenetre, ROLE.PUSH_BUTTON, "Quitter"))


def main():
    Atspi.set_timeout(5000, 15000)
    try:
        k = Korvane()
    except Echec as e:
        print(f"FAIL: {e}", file=sys.stderr)
        return 1
    try:
        # The splash, when still on show, is walked too.
        premiere = k.fenetre("", 30)
        if premiere.get_name() != BIBLIOTHEQUE:
            try:
                verifier(premiere)
            except GLib.Error:
                pass  # closed while it was walked
        bibliotheque(k)
        identification(k)
        quiz(k)
        resultats(k)
        code = k.processus.wait(20)
        if code != 0:
            raise Echec(f"the program ended with code {code}")
    except (Echec, subprocess.TimeoutExpired) as e:
        print(f"FAIL: {e}", file=sys.stderr)
        for f in k.fenetres():
            print(f"  on show: {decrire(f)}", file=sys.stderr)
        with open(os.path.join(PROGRAMME, "..", "korvane.log")) as journal:
            print("--- program output:\n" + journal.read(), file=sys.stderr)
        return 1
    finally:
        if k.processus.poll() is None:
            k.processus.kill()
            k.processus.wait()
    print("PASS: every screen named in French, one question answered through the tree")
    return 0


if __name__ == "__main__":
    sys.exit(main())
