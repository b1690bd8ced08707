; The Windows installer of Kestrovane, for one user and without administrator rights: kestro.exe,
; the guide and the readme in %LOCALAPPDATA%\Programs\Kestrovane, a Start menu shortcut,
; "Rename with Kestrovane" on folders in Explorer, and an entry in Apps & features whose
; uninstaller takes all of that away again. Everything it writes to the registry is under HKCU.
; Built by scripts/build-windows-installer.sh:
;   makensis -DVERSION=1.2.0 -DSTAGE=<folder with kestro.exe, manual.htm, README.txt>
;            -DICON=kestrovane.ico
;            -DOUTFILE=<installer.exe> kestrovane.nsi
; The settings (HKCU\Software\Vintrellos\Kestrovane) and the journal of batches
; (%LOCALAPPDATA%\Kestrovane) are the user's: the uninstaller removes them only when asked to on
; its page, never in a silent uninstall.

!ifndef VERSION
  !error "VERSION is not defined (-DVERSION=x.y.z)"
!endif
!ifndef STAGE
  !error "STAGE is not defined (-DSTAGE=<folder>)"
!endif
!ifndef ICON
  !error "ICON is not defined (-DICON=<kestrovane.ico>)"
!endif
!ifndef OUTFILE
  !define OUTFILE "kestrovane-${VERSION}-win64-setup.exe"
!endif

!define PRODUCT "Kestrovane"
!define PUBLISHER "Vintrellos"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrovane"
!define FOLDER_VERB_KEY "Software\Classes\Directory\shell\Kestrovane"
!define SETTINGS_KEY "Software\Vintrellos\Kestrovane"

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Kestrovane"
; Installing again over an earlier version goes to where that one is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Copyright Vintrellos"

!include "MUI2.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\kestro.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Kestrovane" SecProgram
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "${STAGE}/kestro.exe"
  File "${STAGE}/manual.htm"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\kestro.exe" "" "$INSTDIR\kestro.exe" 0 \
      SW_SHOWNORMAL "" "Rename many files or folders in one pass"

  ; Explorer's folder menu: the window opens on the folder, as "kestro --window <folder>" does.
  WriteRegStr HKCU "${FOLDER_VERB_KEY}" "" "Rename with ${PRODUCT}"
  WriteRegStr HKCU "${FOLDER_VERB_KEY}" "Icon" "$INSTDIR\kestro.exe,0"
  WriteRegStr HKCU "${FOLDER_VERB_KEY}\command" "" '"$INSTDIR\kestro.exe" --window "%V"'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestro.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Kestrovane" UnSecProgram
  SectionIn RO
  SetShellVarContext current
  ; Only what the installer put there: a file of the user's own in the folder keeps it.
  Delete "$INSTDIR\kestro.exe"
  Delete "$INSTDIR\manual.htm"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The folder and keys above ours, where the install made them: each goes only when empty.
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKCU "${FOLDER_VERB_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Classes\Directory\shell"
  DeleteRegKey /ifempty HKCU "Software\Classes\Directory"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd

; Off unless ticked, so a silent uninstall keeps them.
Section /o "un.My settings and the journal of batches (Undo)" UnSecUserData
  SetShellVarContext current
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Vintrellos"
  RMDir /r "$LOCALAPPDATA\Kestrovane"
SectionEnd
