@echo off
rem Plays message.vms to the number given, on the modem of COM3, and prints the outcome.
rem Usage: play 5551234
setlocal
if "%~1"=="" (echo usage: play NUMBER & exit /b 2)
cd /d "%~dp0"
del /q talvin2_3 2>nul
copy /y message.vms talvin_3 >nul
rem Jobs on COM3 use the modem on COM12 (a USB modem, say); drop this line for COM3 itself.
set TALVO_COM3=COM12
rem talvo runs in a window of its own; the completion marker says when its result is complete.
start "" talvo.exe 000N03%~1
:wait
if not exist talvin2_3 (ping -n 2 127.0.0.1 >nul & goto wait)
type talvin_3
