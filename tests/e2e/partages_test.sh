#!/usr/bin/env bash
# The library on a school's file server: a Samba share mounted through
# smbnetfs and an SSH share mounted through sshfs, both served on the
# loopback by servers of the test's own. On each, a pupil's whole chain
# through the real program: record, journal, restart appended, retake
# refused, and nothing left behind. Then the share taken away during an
# attempt (the record waits on this computer and arrives once it is back),
# thirty pupils at once on the Samba share, and a drop folder for results
# shared by real users: two pupils and their teacher.
#
# Usage: bash partages_test.sh RUN_DIR SOURCE_DIR   (exit 77: cannot run here)
source "$(dirname "$0")/fenetres.sh"
[ "$(id -u)" -eq 0 ] || passer "the servers, mounts and users need root"
[ -c /dev/fuse ] && [ -w /dev/fuse ] || passer "no /dev/fuse"
exiger smbd smbnetfs sshfs ssh-keygen fusermount useradd groupadd setpriv
SSHD=$(command -v sshd || echo /usr/sbin/sshd)
[ -x "$SSHD" ] || passer "sshd is not installed"
eleve="$RUN_DIR/../tests/eleve_fictif"
[ -x "$RUN_DIR/korvane" ] && [ -x "$eleve" ] && [ -x "$RUN_DIR/korvane-bilan" ] ||
  echec "programs not built in $RUN_DIR"
# Whether something answers on the loopback at port $1.
ouvert() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }
ouvert 445 && passer "port 445 is already taken on this machine"

points=()
utilisateurs=()
groupe=""
# Mounts first, so that the scratch folder is removed from the local disk only.
demonter() {
  local point u
  for point in "${points[@]}"; do fusermount -u -z "$point" 2>/dev/null; done
  for u in "${utilisateurs[@]}"; do userdel "$u" 2>/dev/null; done
  [ -n "$groupe" ] && groupdel "$groupe" 2>/dev/null
  nettoyer
}
trap demonter EXIT

# The pupils' world: a home and a state folder of their own.
export HOME="$travail/maison" XDG_STATE_HOME="$travail/etat"
mkdir -p "$HOME"
attente="$XDG_STATE_HOME/korvane/attente"

# ------------------------------------------------------------- the servers
smb="$travail/smb"
mkdir -p "$smb/etat" "$smb/partage" "$smb/point" "$smb/maison/.smb"
cat >"$smb/smb.conf" <<EOF
[global]
  interfaces = 127.0.0.1
  bind interfaces only = yes
  smb ports = 445
  disable netbios = yes
  server role = standalone server
  pid directory = $smb/etat
  lock directory = $smb/etat
  state directory = $smb/etat
  cache directory = $smb/etat
  private dir = $smb/etat
  ncalrpc dir = $smb/etat/ncalrpc
  log file = $smb/etat/journal
  map to guest = Bad User
  load printers = no
  printcap name = /dev/null
  disable spoolss = yes
[korvane]
  path = $smb/partage
  guest ok = yes
  guest only = yes
  read only = no
  force user = root
EOF
smbd --foreground -s "$smb/smb.conf" >"$smb/smbd.log" 2>&1 &
a_arreter+=($!)
printf 'auth "guest" ""\nsmb_query_browsers false\n' >"$smb/maison/.smb/smbnetfs.conf"
chmod 600 "$smb/maison/.smb/smbnetfs.conf"
sous 10 ouvert 445 || passer "smbd did not start: $(tail -n 3 "$smb/smbd.log")"

# Mounts the Samba share; its folder is $1/127.0.0.1/korvane.
monter_smb() {
  HOME="$smb/maison" smbnetfs "$smb/point" -f -o "config=$smb/maison/.smb/smbnetfs.conf" \
    >>"$smb/smbnetfs.log" 2>&1 &
  a_arreter+=($!)
  points+=("$smb/point")
  sous 10 test -d "$smb/point/127.0.0.1/korvane"
}
monter_smb || passer "smbnetfs could not mount the share: $(tail -n 3 "$smb/smbnetfs.log")"
partage_smb="$smb/point/127.0.0.1/korvane"

ssh="$travail/ssh"
mkdir -p "$ssh/partage" "$ssh/point" /run/sshd
ssh-keygen -q -t ed25519 -N '' -f "$ssh/hote" && ssh-keygen -q -t ed25519 -N '' -f "$ssh/cle" ||
  passer "ssh-keygen failed"
port=$((20000 + RANDOM % 20000))
cat >"$ssh/sshd_config" <<EOF
ListenAddress 127.0.0.1
Port $port
HostKey $ssh/hote
PidFile none
AuthorizedKeysFile $ssh/cle.pub
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
Subsystem sftp internal-sftp
EOF
"$SSHD" -D -e -f "$ssh/sshd_config" >"$ssh/sshd.log" 2>&1 &
a_arreter+=($!)
sous 10 ouvert "$port" || passer "sshd did not start: $(tail -n 3 "$ssh/sshd.log")"
sshfs -f -p "$port" -o "IdentityFile=$ssh/cle,StrictHostKeyChecking=no,UserKnownHostsFile=/dev/null,BatchMode=yes" \
  "root@127.0.0.1:$ssh/partage" "$ssh/point" >"$ssh/sshfs.log" 2>&1 &
a_arreter+=($!)
points+=("$ssh/point")
sous 10 eval 'mountpoint -q "$ssh/point"' || passer "sshfs could not mount: $(tail -n 3 "$ssh/sshfs.log")"

questionnaire=CORPS_HUMAIN
source_q="$RUN_DIR/$questionnaire"
[ -d "$source_q" ] || echec "no sample questionnaire $source_q"
for partage in "$partage_smb" "$ssh/point"; do
  cp -r "$source_q" "$partage/" || echec "cannot copy the library to $partage"
done

# Nothing the program leaves behind on a share: no probe, no empty record.
propre() {
  local reste
  reste=$(find "$1" \( -name '.korvane-essai-*' -o \( -name '*.rst' -empty \) \) 2>&1)
  [ -z "$reste" ] || echec "left on the share: $reste"
}

demarrer_x

# Starts the quiz on the library $1 as $2 of class $3.
eleve_sur() { KORVANE_BIBLIOTHEQUE="$1" commencer "$RUN_DIR/korvane" "$2" "$3" '^Le corps humain$'; }

# ------------------------------------------------- a pupil on each share
for partage in "$partage_smb" "$ssh/point"; do
  eleve_sur "$partage" b01 3a
  abandonner
  recommencer '^Le corps humain$'
  abandonner
  visible --name '^AVERTISSEMENT CRITIQUE$' && echec "$partage: the record was not written"
  quitter "$resultats"
  fichier="$partage/$questionnaire/$questionnaire _B01_3A_.rst"
  [ "$(grep -c '^\[Essai' "$fichier" 2>/dev/null)" = 2 ] ||
    echec "$partage: the results file does not hold both attempts"
  for journal in "$partage/$questionnaire"/Essais/B01_3A_*_essai-{1,2}.jsonl; do
    [ -s "$journal" ] || echec "$partage: no journal $journal"
  done
  KORVANE_BIBLIOTHEQUE="$partage" reprise_refusee "$RUN_DIR/korvane" B01 3A "$fichier"
  propre "$partage"
done
echo "pupil chain passed on smbnetfs and sshfs"

# ------------------------------------ the share gone during an attempt
eleve_sur "$partage_smb" c01 3a
fusermount -u -z "$smb/point" || echec "cannot unmount the Samba share"
abandonner
repondre '^AVERTISSEMENT CRITIQUE$' Return
[ "$(ls "$attente" 2>/dev/null | wc -l)" = 1 ] || echec "the record is not kept on this computer"
monter_smb || echec "smbnetfs could not mount the share again"
recu="$smb/partage/$questionnaire/$questionnaire _C01_3A_.rst"
sous 15 test -s "$recu" || echec "the kept record did not reach the share once it was back"
quitter "$resultats"
[ "$(grep -c '^\[Essai' "$recu")" = 1 ] || echec "the kept record was not delivered exactly once"
[ -z "$(ls "$attente")" ] || echec "the queue still holds the delivered record"
propre "$partage_smb"
echo "record kept while the share was away, delivered once"

# ------------------------------------------------ thirty pupils at once
debut=$(date +%s%N)
pids=()
for n in $(seq -w 1 30); do
  "$eleve" "$partage_smb/$questionnaire/$questionnaire.dat" "p$n" 4b >/dev/null 2>"$travail/p$n.err" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || echec "a pupil of the thirty was not recorded"; done
duree=$((($(date +%s%N) - debut) / 1000000))
dossier="$smb/partage/$questionnaire"
[ "$(ls "$dossier"/*_P??_4B_.rst | wc -l)" = 30 ] || echec "not 30 records"
[ "$(stat -c %s "$dossier"/*_P??_4B_.rst | sort -u | wc -l)" = 1 ] &&
  [ "$(grep -c '^\[Essai' "$dossier"/*_P??_4B_.rst | grep -vc ':1$')" = 0 ] ||
  echec "the 30 records are not whole and alike"
python3 - "$dossier"/Essais/P??_4B_*.jsonl <<'EOF' || echec "not 30 whole and alike journals"
import json, sys
types = [[json.loads(l)["type"] for l in open(c, encoding="utf-8")] for c in sys.argv[1:]]
assert len(types) == 30 and all(t[0] == "debut" and t[-1] == "fin" for t in types)
assert len({len(t) for t in types}) == 1
EOF
propre "$partage_smb"
echo "30 pupils at once on the Samba share: ${duree} ms"

# ------------------------------------------- a drop folder for results
groupe="kvprofs$$" prof="kvprof$$" a="kveleva$$" b="kvelevb$$"
groupadd "$groupe" || passer "cannot create a group"
for u in "$prof" "$a" "$b"; do
  useradd -M -N -g users -s /usr/sbin/nologin "$u" || passer "cannot create users"
  utilisateurs+=("$u")
done
usermod -a -G "$groupe" "$prof"
chmod 711 "$travail"
ecole="$travail/ecole"
mkdir -p "$ecole/bibliotheque"
cp -r "$source_q" "$ecole/bibliotheque/"
chmod -R a+rX,go-w "$ecole"
# The teacher's commands of the README.
install -d -o "$prof" -g "$groupe" -m 3733 "$ecole/resultats" "$ecole/resultats/Essais"
for u in "$a" "$b" "$prof"; do install -d -o "$u" -m 700 "$travail/maison-$u"; done
comme() {
  local u=$1
  shift
  setpriv --reuid="$u" --regid=users --init-groups env HOME="$travail/maison-$u" \
    XDG_STATE_HOME="$travail/maison-$u/etat" KORVANE_RESULTATS="$ecole/resultats" "$@"
}
dat="$ecole/bibliotheque/$questionnaire/$questionnaire.dat"
comme "$a" "$eleve" "$dat" a01 3c >/dev/null || echec "pupil A could not record in the drop folder"
comme "$b" "$eleve" "$dat" b01 3c >/dev/null || echec "pupil B could not record in the drop folder"
rst_a="$ecole/resultats/$questionnaire _A01_3C_.rst"
journal_a=$(ls "$ecole"/resultats/Essais/A01_3C_*.jsonl)
for f in "$rst_a" "$journal_a"; do
  [ "$(stat -c '%a %G' "$f")" = "640 $groupe" ] || echec "$f: $(stat -c '%a %G' "$f")"
  comme "$b" cat "$f" >/dev/null 2>&1 && echec "pupil B reads $f"
  comme "$b" sh -c 'echo x >>"$1"' - "$f" 2>/dev/null && echec "pupil B changes $f"
  comme "$b" rm -f "$f" 2>/dev/null
  [ -f "$f" ] || echec "pupil B deleted $f"
  comme "$prof" grep -q A01 "$f" || echec "the teacher cannot read $f"
done
comme "$b" ls "$ecole/resultats" >/dev/null 2>&1 && echec "pupil B lists the drop folder"
comme "$prof" cat "$ecole/resultats/$questionnaire _B01_3C_.rst" >/dev/null ||
  echec "the teacher cannot read B's record"
comme "$a" "$eleve" "$dat" a01 3c >/dev/null 2>&1
[ $? -eq 3 ] || echec "pupil A's retake was not refused in the drop folder"
(cd "$travail/maison-$prof" && comme "$prof" "$RUN_DIR/korvane-bilan" "$ecole/resultats" >/dev/null) ||
  echec "korvane-bilan cannot read the drop folder"
[ "$(grep -c 'B01;3C\|A01;3C' "$travail/maison-$prof/bilan.csv")" = 2 ] || echec "the report lacks a pupil"
echo "drop folder: pupils write their own results only, the teacher reads them all"

echo "PASS: shares, queue, thirty pupils, drop folder"
