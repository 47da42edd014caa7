; The KORVEL installer, built by the Windows build's `installer` target:
;   makensis -DVERSION=x.y.z -DTREE=<installation tree> -DFILE_LIST=<its list> -DOUTFILE=<setup.exe> korvel.nsi
; TREE and FILE_LIST come from lay_out_package.cmake.
;
; It installs for the user who runs it unless told to install for all users
; (install_mode.nsh): either way the installation lies where its users may
; write, since the Launcher keeps its settings in the Exe folder.
;
; It never writes the user's settings files (Sound.dat, recent.dat,
; work_dir.dat, ...), so installing over an installation keeps them, and the
; uninstaller removes only the files and folders listed here, a sample in Dat
; only while it is as installed: the settings files, the samples the user
; edited and anything else the user put in the installation stay, with the
; folders that hold them. Neither changes anything while the installation's
; Launcher runs (launcher_running.nsh).

!ifndef VERSION | TREE | FILE_LIST | OUTFILE
  !error "VERSION, TREE, FILE_LIST and OUTFILE must be defined"
!endif

Unicode true
; Korvel.exe is a 64-bit program: so is its installer, which then sees the
; 64-bit registry as it is.
Target amd64-unicode
SetCompressor /SOLID lzma
; A file that can't be written fails the installation (exit code 2) instead
; of being skipped with a success at the end.
AllowSkipFiles off
; No prompt for a per-user installation: one for all users elevates itself.
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!addincludedir "${__FILEDIR__}"
!include install_mode.nsh
!include install_folder.nsh
!include launcher_running.nsh
!include same_bytes.nsh

Name "KORVEL"
OutFile "${OUTFILE}"
; No InstallDir: the folder depends on the mode (.onInit), and /D= sets it first.
ShowInstDetails show
ShowUninstDetails show
BrandingText "KORVEL ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "KORVEL"
VIAddVersionKey /LANG=1033 "CompanyName" "KORVEL"
VIAddVersionKey /LANG=1033 "FileDescription" "KORVEL Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "KORVEL"

!define MUI_ICON "${TREE}\Exe\Uir\iconKorvel.ico"
!define MUI_UNICON "${TREE}\Exe\Uir\iconKorvel.ico"
!define MUI_ABORTWARNING
Page custom ModePage ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE FolderPageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!include "${FILE_LIST}"

!macro MakeFolder FOLDER
  CreateDirectory "$INSTDIR\${FOLDER}"
!macroend

!macro InstallFile FOLDER NAME
  SetOutPath "$INSTDIR\${FOLDER}"
  !if "${FOLDER}" == "Dat"
    ; A sample the user has edited stays as it is.
    SetOverwrite off
  !endif
  File "${TREE}\${FOLDER}\${NAME}"
  SetOverwrite on
!macroend

!macro RemoveFile FOLDER NAME
  !if "${FOLDER}" == "Dat"
    ; A sample the user has changed is the user's now: only one still as
    ; installed goes, checked against the copy this uninstaller carries.
    ${If} ${FileExists} "$INSTDIR\Dat\${NAME}"
      SetOutPath "$PLUGINSDIR\installed"
      File "${TREE}\Dat\${NAME}"
      Push "$INSTDIR\Dat\${NAME}"
      Push "$PLUGINSDIR\installed\${NAME}"
      Call un.SameBytes
      Pop $0
      ${If} $0 == 1
        Delete "$INSTDIR\Dat\${NAME}"
      ${Else}
        DetailPrint "Kept $INSTDIR\Dat\${NAME}: it was changed after it was installed"
      ${EndIf}
    ${EndIf}
  !else
    Delete "$INSTDIR\${FOLDER}\${NAME}"
  !endif
!macroend

!macro RemoveFolderIfEmpty FOLDER
  RMDir "$INSTDIR\${FOLDER}"
!macroend

Section "KORVEL"
  !insertmacro KORVEL_FOLDERS_OUTER_FIRST MakeFolder
  !insertmacro KORVEL_FILES InstallFile
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The Launcher finds the installation from its working folder: the
  ; shortcut takes the output folder as the one it starts Korvel.exe in.
  SetOutPath "$INSTDIR\Exe"
  CreateShortcut "$SMPROGRAMS\KORVEL.lnk" "$INSTDIR\Exe\Korvel.exe"
  ${If} $AllUsers == 1
    !insertmacro LET_USERS_CHANGE "$INSTDIR\Exe"
    !insertmacro LET_USERS_CHANGE "$INSTDIR\Dat"
  ${EndIf}

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "KORVEL"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "KORVEL"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Exe\Korvel.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  InitPluginsDir
  Delete "$SMPROGRAMS\KORVEL.lnk"
  !insertmacro KORVEL_FILES RemoveFile
  Delete "$INSTDIR\Uninstall.exe"
  ; Only empty folders go: one holding the user's settings or data stays.
  !insertmacro KORVEL_FOLDERS_INNER_FIRST RemoveFolderIfEmpty
  RMDir "$INSTDIR"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
