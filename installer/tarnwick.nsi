; Tarnwick's installer. gen_velk.dll goes into the player's Plugins folder and
; velk_kh.dll beside winamp.exe: the player loads the plug-in by full path,
; and Windows then looks for the plug-in's imports in the player's folder,
; never in Plugins.
;
; Built by CMake: makensis /DRELEASE_NSH=... /DDIST_DIR=... tarnwick.nsi

Unicode true
SetCompressor /SOLID lzma
!include "${RELEASE_NSH}"
!include LogicLib.nsh
!include MUI2.nsh

!define PLUGIN_DLL "gen_velk.dll"
!define HOOK_DLL "velk_kh.dll"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${DIST_DIR}\${SETUP_FILE}"
; Winamp lives under Program Files; its folder needs an administrator.
RequestExecutionLevel admin
InstallDir "$PROGRAMFILES\Winamp"
; Winamp records its folder as this key's default value.
InstallDirRegKey HKCU "Software\Winamp" ""
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show
; A file that cannot be written stops the installation: skipping it would
; leave DLLs of two versions side by side.
AllowSkipFiles off

!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup installs ${PRODUCT} ${VERSION} into Winamp's folder: the plug-in into its Plugins folder, the hook library beside winamp.exe.$\r$\n$\r$\nChoose the folder Winamp is installed in."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Winamp's folder"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeavePlayerFolderPage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

VIProductVersion "${FILE_VERSION}"
VIFileVersion "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${FILE_VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" ""

; Tells the user and sets the error flag when $INSTDIR holds no winamp.exe.
Function CheckPlayerFolder
  ClearErrors
  ${IfNot} ${FileExists} "$INSTDIR\winamp.exe"
    MessageBox MB_OK|MB_ICONEXCLAMATION "There is no winamp.exe in $INSTDIR.$\r$\n$\r$\nChoose the folder Winamp is installed in." /SD IDOK
    SetErrors
  ${EndIf}
FunctionEnd

Function LeavePlayerFolderPage
  Call CheckPlayerFolder
  ${If} ${Errors}
    Abort ; stays on the page
  ${EndIf}
FunctionEnd

; Sets $R1 to 1 when the file $R0 exists and cannot be opened for writing:
; a running program has it loaded.
!macro DEFINE_WAIT_UNTIL_FREE un
Function ${un}IsBusy
  StrCpy $R1 0
  ${If} ${FileExists} $R0
    ClearErrors
    FileOpen $R2 $R0 a
    ${If} ${Errors}
      StrCpy $R1 1
    ${Else}
      FileClose $R2
    ${EndIf}
  ${EndIf}
FunctionEnd

; Returns once neither DLL is in use. Giving up aborts, with nothing changed.
Function ${un}WaitUntilFree
  retry:
    StrCpy $R0 "$INSTDIR\${HOOK_DLL}"
    Call ${un}IsBusy
    StrCmp $R1 1 busy
    StrCpy $R0 "$INSTDIR\Plugins\${PLUGIN_DLL}"
    Call ${un}IsBusy
    StrCmp $R1 1 busy
    Return
  busy:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$R0 is in use.$\r$\n$\r$\nClose Winamp, then click Retry." /SD IDCANCEL IDRETRY retry
    Abort "$R0 is in use."
FunctionEnd
!macroend
!insertmacro DEFINE_WAIT_UNTIL_FREE ""
!insertmacro DEFINE_WAIT_UNTIL_FREE "un."

; Puts both .new files in place of the installed pair, or neither: the old
; pair is moved aside first and moved back should that fail.
Function SwapInNewPair
  Delete "$INSTDIR\${HOOK_DLL}.old"
  Delete "$INSTDIR\Plugins\${PLUGIN_DLL}.old"
  ClearErrors
  ${If} ${FileExists} "$INSTDIR\${HOOK_DLL}"
    Rename "$INSTDIR\${HOOK_DLL}" "$INSTDIR\${HOOK_DLL}.old"
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Plugins\${PLUGIN_DLL}"
  ${AndIfNot} ${Errors}
    Rename "$INSTDIR\Plugins\${PLUGIN_DLL}" "$INSTDIR\Plugins\${PLUGIN_DLL}.old"
  ${EndIf}
  ${If} ${Errors}
    Rename "$INSTDIR\${HOOK_DLL}.old" "$INSTDIR\${HOOK_DLL}"
    Delete "$INSTDIR\${HOOK_DLL}.new"
    Delete "$INSTDIR\Plugins\${PLUGIN_DLL}.new"
    Abort "The installed files could not be replaced."
  ${EndIf}
  Rename "$INSTDIR\${HOOK_DLL}.new" "$INSTDIR\${HOOK_DLL}"
  Rename "$INSTDIR\Plugins\${PLUGIN_DLL}.new" "$INSTDIR\Plugins\${PLUGIN_DLL}"
  ; A program may still have an old file loaded; Windows removes it at restart.
  Delete /REBOOTOK "$INSTDIR\${HOOK_DLL}.old"
  Delete /REBOOTOK "$INSTDIR\Plugins\${PLUGIN_DLL}.old"
FunctionEnd

Section "${PRODUCT}" SectionMain
  ; Silent installs skip the folder page: check the folder here as well.
  Call CheckPlayerFolder
  ${If} ${Errors}
    Abort "There is no winamp.exe in $INSTDIR."
  ${EndIf}
  Call WaitUntilFree

  SetOutPath "$INSTDIR\Plugins"
  File "/oname=${PLUGIN_DLL}.new" "${DIST_DIR}\${PLUGIN_DLL}"
  SetOutPath "$INSTDIR"
  File "/oname=${HOOK_DLL}.new" "${DIST_DIR}\${HOOK_DLL}"
  Call SwapInNewPair

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SectionMain} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put there and nothing else: the player's
; folders and its INI file, with this plug-in's settings, stay.
Section "Uninstall"
  Call un.WaitUntilFree
  Delete "$INSTDIR\Plugins\${PLUGIN_DLL}"
  Delete "$INSTDIR\${HOOK_DLL}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd
