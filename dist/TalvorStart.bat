#!/bin/sh
# TalvorStart.bat - started by Talvor Start at the beginning of every run.
#
# Its one job is to start your backup program. Talvor Start then waits the
# start delay, brings the window whose title you set ("Start Title") to the
# front and types the job and start shortcuts into it.
#
# Put this file in ~/.config/TalvorStart/ (that is,
# $XDG_CONFIG_HOME/TalvorStart/), or beside the talvorstart program when that
# folder is yours (an installed program's folder is not).
#
# Replace the line below with the command that starts your backup program,
# and end it with "&" so that this script returns at once, for example:
#
#   deja-dup &
#
# As it comes, it starts the demo backup program, a stand-in with five jobs,
# so that you can watch a whole run before you set up your own: the one
# beside this file, or else the installed one.
here=$(dirname "$0")
demo=/usr/lib/talvorstart/demo-backup
if [ -x "$here/demo-backup" ]; then
  "$here/demo-backup" &
elif [ -x "$demo" ]; then
  "$demo" &
else
  echo "TalvorStart.bat starts no backup program yet: edit $0" >&2
fi
