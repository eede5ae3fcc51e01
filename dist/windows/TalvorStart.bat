@echo off
rem TalvorStart.bat - started by Talvor Start at the beginning of every run.
rem
rem Its one job is to start your backup program. Talvor Start then waits the
rem start delay, brings the window whose title you set ("Start Title") to
rem the front and types the job and start shortcuts into it.
rem
rem Keep this file beside talvorstart.exe: only that folder is looked in.
rem Replace the lines below with the line that starts your backup program,
rem with "start" in front so that this file ends at once, for example:
rem
rem   start "" "C:\Program Files\My Backup\backup.exe"
rem
rem The sample starts the demo backup program of the zip when it lies
rem beside this file, and otherwise says what to put here.
if exist "%~dp0demo-backup.exe" (
  start "" "%~dp0demo-backup.exe"
  exit /b 0
)
echo.
echo  TalvorStart.bat does not start a backup program yet.
echo.
echo  Open this file in Notepad:
echo    %~f0
echo  and put in the line that starts your backup program, for example:
echo    start "" "C:\Program Files\My Backup\backup.exe"
echo.
pause
exit /b 1
