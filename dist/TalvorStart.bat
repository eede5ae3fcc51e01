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
# The sample starts the demo backup program that comes with the source tree
# when it lies beside this file.
here=$(dirname "$0")
if [ -x "$here/demo-backup" ]; then
  "$here/demo-backup" &
fi
