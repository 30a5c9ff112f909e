; Brezzolo's Windows installer, for NSIS 3 with the 64-bit stub. scripts/package-windows runs
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.9.2 -DFILEVERSION=1.9.2.0 -DSTAGE=<folder>
;            -DICON=<brezzolo.ico> -DOUTFILE=<brezzolo-1.9.2-setup.exe> brezzolo.nsi
;
; STAGE holds brezzolo.exe, brezzolo-headless.exe, brezzolo-station-sim.exe and, when the
; source tree has one, LICENSE.txt.
;
; What it does: the programs go to Program Files\Brezzolo (64-bit); the user's data folder is
; %LOCALAPPDATA%\Brezzolo, the working folder of the shortcuts, where Brezzolo keeps
; config.brz (the program works in its current folder); a Start menu shortcut; a shortcut in the
; user's Startup folder (a component, ticked by default), so that Brezzolo comes back by itself
; after a reboot or a power cut; an uninstaller in Add/Remove Programs that removes the
; programs and the shortcuts and leaves the data folder with the user's files.
;
; Silent use: brezzolo-1.9.2-setup.exe /S [/D=C:\other folder]   (/D last, without quotes)
;             uninstall.exe /S

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef VERSION | FILEVERSION | STAGE | ICON | OUTFILE
    !error "Run through scripts/package-windows (VERSION, FILEVERSION, STAGE, ICON, OUTFILE)"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brezzolo"
!define DATA_FOLDER "$LOCALAPPDATA\Brezzolo"
!define LINK_NAME "Brezzolo.lnk"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "FileFunc.nsh"

Name "Brezzolo"
Caption "Installazione di Brezzolo ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Brezzolo"
; An update goes where the last installation went.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow
BrandingText "Brezzolo ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Brezzolo è installato. Avvialo dal menu Start: la prima volta chiede la cartella di Heavy Weather e quella da cui UI-View legge il rapporto.$\r$\n$\r$\nLe impostazioni (config.brz) restano nella cartella $\"${DATA_FOLDER}$\"."
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "Italian"

VIProductVersion "${FILEVERSION}"
VIFileVersion "${FILEVERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "ProductName" "Brezzolo"
VIAddVersionKey /LANG=${LANG_ITALIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "FileDescription" "Installazione di Brezzolo"
VIAddVersionKey /LANG=${LANG_ITALIAN} "LegalCopyright" "Brezzolo"

; Windows neither replaces nor deletes a program that is running: Brezzolo, started with
; Windows, runs for months. The user is asked to close it first, or the installation (the
; uninstallation) stops before it has changed anything; silently it just stops.
!macro WaitUntilClosed un
Function ${un}WaitUntilClosed
    Push $0
    Push $1
    retry:
    ${ForEach} $1 0 1 + 1
        ${If} $1 == 0
            StrCpy $0 "$INSTDIR\brezzolo.exe"
        ${Else}
            StrCpy $0 "$INSTDIR\brezzolo-headless.exe"
        ${EndIf}
        ${If} ${FileExists} $0
            ClearErrors
            FileOpen $0 $0 a
            ${If} ${Errors}
                MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
                    "Brezzolo è in esecuzione.$\r$\nChiuderlo (menu File, Esci) e premere Riprova." \
                    /SD IDCANCEL IDRETRY retry
                Abort "Brezzolo è in esecuzione: chiuderlo e ripetere."
            ${EndIf}
            FileClose $0
        ${EndIf}
    ${Next}
    Pop $1
    Pop $0
FunctionEnd
!macroend
!insertmacro WaitUntilClosed ""
!insertmacro WaitUntilClosed "un."

; The programs, the data folder and the Start menu shortcut. Shortcuts and the data folder are
; the installing user's.
Section "Brezzolo (programma e collegamento nel menu Start)" SecProgram
    SectionIn RO
    SetShellVarContext current
    SetRegView 64

    Call WaitUntilClosed
    SetOutPath "$INSTDIR"
    File "${STAGE}/brezzolo.exe"
    File "${STAGE}/brezzolo-headless.exe"
    File "${STAGE}/brezzolo-station-sim.exe"
    !if /FileExists "${STAGE}/LICENSE.txt"
        File "${STAGE}/LICENSE.txt"
    !endif
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; A shortcut starts the program in the folder current when it is made.
    CreateDirectory "${DATA_FOLDER}"
    SetOutPath "${DATA_FOLDER}"
    CreateShortcut "$SMPROGRAMS\${LINK_NAME}" "$INSTDIR\brezzolo.exe" "" "$INSTDIR\brezzolo.exe" 0 \
        SW_SHOWNORMAL "" "Dati meteo della stazione per UI-View"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Brezzolo"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\brezzolo.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" "$\"$INSTDIR\uninstall.exe$\""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" "$\"$INSTDIR\uninstall.exe$\" /S"
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Avvia Brezzolo con Windows" SecStartup
    SetShellVarContext current
    SetOutPath "${DATA_FOLDER}"
    CreateShortcut "$SMSTARTUP\${LINK_NAME}" "$INSTDIR\brezzolo.exe" "" "$INSTDIR\brezzolo.exe" 0 \
        SW_SHOWNORMAL "" "Dati meteo della stazione per UI-View"
SectionEnd

; An update with the option unticked takes the Startup shortcut of an earlier one away.
Section "-StartupUnticked"
    SetShellVarContext current
    ${IfNot} ${SectionIsSelected} ${SecStartup}
        Delete "$SMSTARTUP\${LINK_NAME}"
    ${EndIf}
SectionEnd

; Removes the programs and the shortcuts; the data folder keeps config.brz and the records
; (only an empty one goes).
Section "Uninstall"
    SetShellVarContext current
    SetRegView 64

    Call un.WaitUntilClosed
    Delete "$INSTDIR\brezzolo.exe"
    Delete "$INSTDIR\brezzolo-headless.exe"
    Delete "$INSTDIR\brezzolo-station-sim.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"

    Delete "$SMPROGRAMS\${LINK_NAME}"
    Delete "$SMSTARTUP\${LINK_NAME}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    RMDir "${DATA_FOLDER}"
SectionEnd
