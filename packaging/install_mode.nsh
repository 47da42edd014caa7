; Who the installation is for, and the rights that takes.
;
; The Launcher and the package's programs write their settings files
; (Sound.dat, recent.dat, language.dat, ...) into the Exe folder, and the
; analyses go into Dat: the installation must lie where its users may write.
;
;   per user (the default)  $LOCALAPPDATA\Programs\KORVEL (when its path holds
;                           no full stop; else install_folder.nsh), the shortcut in the
;                           user's Start menu, the uninstall key in HKCU; no
;                           administrator rights, no prompt.
;   all users (/ALLUSERS)   <system drive>\KORVEL, the shortcut in the common
;                           Start menu, the uninstall key in HKLM; the users of
;                           the computer get the right to change Exe and Dat.
;                           Needs administrator rights: an installer that does
;                           not hold them starts itself again elevated.
;
; Without a switch an upgrade goes where the installation already is: the
; user's own, else the one for all users. /CURRENTUSER asks for a per-user one.
; The uninstaller tells the mode from where it lies.

!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KORVEL"
; Read, write, run and delete: what icacls calls (M), for BUILTIN\Users, on
; the folder and, inherited, on everything in it now or later.
!define USERS_MAY_CHANGE_SDDL "D:(A;OICI;0x1301bf;;;BU)"
!define SE_FILE_OBJECT 1
!define DACL_SECURITY_INFORMATION 4
!define SDDL_REVISION_1 1
!define SEE_MASK_NOCLOSEPROCESS 0x40
!define ERROR_CANCELLED 1223
!define ERROR_ELEVATION_REQUIRED 740
; Beside NSIS's 1 (cancelled) and 2 (aborted): installed, but the users may
; not write in the installation.
!define EXIT_RIGHTS_NOT_GIVEN 3

Var AllUsers       ; 1 when installing for all users
Var ModeGiven      ; 1 when the command line chose the mode
Var FolderGiven    ; 1 when /D= chose the folder
Var PerUserButton
Var AllUsersButton

; A running elevated copy of this program with PARAMETERS; its exit code, or
; "cancelled" when the user refused, in $0.
!macro RUN_ELEVATED PARAMETERS
  ; SHELLEXECUTEINFOW as a 64-bit program lays it out, padding spelt out.
  System::Call '*(i 112, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, w "runas", w "$EXEPATH", w "${PARAMETERS}", \
                   p 0, i ${SW_SHOWNORMAL}, i 0, p 0, p 0, p 0, p 0, i 0, i 0, p 0, p 0) p .r1'
  System::Call 'shell32::ShellExecuteExW(p r1) i .r2 ?e'
  Pop $3
  ${If} $2 = 0
    StrCpy $0 "failed"
    ${IfThen} $3 = ${ERROR_CANCELLED} ${|} StrCpy $0 "cancelled" ${|}
  ${Else}
    System::Call '*$1(i, i, p, p, p, p, p, i, i, p, p, p, p, i, i, p, p .r2)'
    System::Call 'kernel32::WaitForSingleObject(p r2, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r2, *i .r0)'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
  System::Free $1
!macroend

!macro DEFINE_MODE_FUNCTIONS PREFIX
  Function ${PREFIX}IsAdministrator
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 == "Admin"
      StrCpy $0 1
    ${Else}
      StrCpy $0 0
    ${EndIf}
  FunctionEnd

  Function ${PREFIX}UseMode
    ${If} $AllUsers == 1
      SetShellVarContext all
    ${Else}
      SetShellVarContext current
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DEFINE_MODE_FUNCTIONS ""
!insertmacro DEFINE_MODE_FUNCTIONS "un."

; The folder of the mode's installation, or its default.
Function ChooseFolder
  ${If} $FolderGiven == 1
    Return
  ${EndIf}
  ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $INSTDIR != ""
    Return
  ${EndIf}
  ${If} $AllUsers == 1
    StrCpy $0 $WINDIR 2
    StrCpy $INSTDIR "$0\KORVEL"
  ${Else}
    Call PerUserDefaultFolder
  ${EndIf}
FunctionEnd

; Sets the mode; for all users without administrator rights, runs the
; installer again elevated and ends with its exit code.
Function EnterMode
  Call UseMode
  ${If} $AllUsers != 1
    Return
  ${EndIf}
  Call IsAdministrator
  ${If} $0 == 1
    Return
  ${EndIf}
  ${GetParameters} $4
  ; /D= stays last, as the installer wants it.
  !insertmacro RUN_ELEVATED "/ALLUSERS /ELEVATED $4"
  ${If} $0 == "cancelled"
  ${OrIf} $0 == "failed"
    MessageBox MB_OK|MB_ICONSTOP "Installing KORVEL for all users needs administrator rights." /SD IDOK
    SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
  ${Else}
    SetErrorLevel $0
  ${EndIf}
  Quit
FunctionEnd

Function .onInit
  ${If} $INSTDIR != ""
    StrCpy $FolderGiven 1
  ${EndIf}
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/ALLUSERS" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/CURRENTUSER" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
    StrCpy $ModeGiven 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/ELEVATED" $R1
  ${IfNot} ${Errors}
    ; Started elevated by itself: without the rights even now, it stops.
    Call IsAdministrator
    ${If} $0 != 1
      MessageBox MB_OK|MB_ICONSTOP "Installing KORVEL for all users needs administrator rights." /SD IDOK
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
  ${EndIf}
  ${If} $ModeGiven != 1
    StrCpy $AllUsers 0
    SetShellVarContext current
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
      ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
      ${IfThen} $0 != "" ${|} StrCpy $AllUsers 1 ${|}
    ${EndIf}
  ${EndIf}
  ; An interactive installer asks on its first page; a silent one goes on.
  ${If} ${Silent}
  ${OrIf} $ModeGiven == 1
    Call EnterMode
  ${Else}
    Call UseMode
  ${EndIf}
  Call ChooseFolder
  ; An interactive one checks its folder when the folder page is left.
  ${If} ${Silent}
    Call CheckSilentInstallation
  ${EndIf}
FunctionEnd

!define MODE_PAGE_TITLE "Choose who may use KORVEL"
!define MODE_PAGE_SUBTITLE "Install it for yourself alone or for every user of this computer."
!define MODE_PAGE_TEXT "KORVEL keeps its settings and your analyses in its own folders, \
    so it goes where its users may write."
; The page's area inside the installer's window, as every custom page uses it.
!define INNER_DIALOG 1018

Function ModePage
  ${If} $ModeGiven == 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "${MODE_PAGE_TITLE}" "${MODE_PAGE_SUBTITLE}"
  nsDialogs::Create ${INNER_DIALOG}
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 36u "${MODE_PAGE_TEXT}"
  Pop $0
  ${NSD_CreateRadioButton} 10u 44u -10u 12u "Only for me (recommended): no administrator rights needed"
  Pop $PerUserButton
  ${NSD_CreateRadioButton} 10u 62u -10u 12u "For all users of this computer: needs administrator rights"
  Pop $AllUsersButton
  ${If} $AllUsers == 1
    ${NSD_Check} $AllUsersButton
  ${Else}
    ${NSD_Check} $PerUserButton
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $AllUsersButton $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  ${If} $AllUsers == 1
    Call IsAdministrator
    ${If} $0 != 1
      HideWindow
      !insertmacro RUN_ELEVATED "/ALLUSERS"
      ${If} $0 == "cancelled"
      ${OrIf} $0 == "failed"
        ; Refused: this installer stays on its page.
        ShowWindow $HWNDPARENT ${SW_SHOW}
        MessageBox MB_OK|MB_ICONSTOP "Installing KORVEL for all users needs administrator rights."
        Abort
      ${EndIf}
      SetErrorLevel $0
      Quit
    ${EndIf}
  ${EndIf}
  Call UseMode
  Call ChooseFolder
FunctionEnd

; Gives the users of the computer the right to change FOLDER and all in it.
!macro LET_USERS_CHANGE FOLDER
  System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${USERS_MAY_CHANGE_SDDL}", \
                i ${SDDL_REVISION_1}, *p .r1, p 0) i .r0'
  ${If} $0 <> 0
    System::Call 'advapi32::GetSecurityDescriptorDacl(p r1, *i .r2, *p .r3, *i .r4) i .r0'
    ; Unprotected, the folder keeps what it inherits beside the new entry.
    System::Call 'advapi32::SetNamedSecurityInfoW(w "${FOLDER}", i ${SE_FILE_OBJECT}, \
                  i ${DACL_SECURITY_INFORMATION}, p 0, p 0, p r3, p 0) i .r0'
    System::Call 'kernel32::LocalFree(p r1)'
  ${Else}
    StrCpy $0 "no security descriptor"
  ${EndIf}
  ${If} $0 == 0
    DetailPrint "The users of this computer may change ${FOLDER}"
  ${Else}
    DetailPrint "Could not let the users change ${FOLDER} (error $0)"
    MessageBox MB_OK|MB_ICONEXCLAMATION "The users of this computer could not be given the right to change ${FOLDER}: \
        give it to them, or KORVEL keeps no settings for them." /SD IDOK
    ; A silent installation tells it by its exit code.
    SetErrorLevel ${EXIT_RIGHTS_NOT_GIVEN}
  ${EndIf}
!macroend

; The uninstaller's mode: for all users when it lies where the HKLM key says.
Function un.onInit
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 == $INSTDIR
    StrCpy $AllUsers 1
  ${EndIf}
  Call un.UseMode
  ${If} $AllUsers == 1
    Call un.IsAdministrator
    ${If} $0 != 1
      ${GetParameters} $4
      ClearErrors
      ${GetOptions} $4 "/ELEVATED" $5
      ${IfNot} ${Errors}
        MessageBox MB_OK|MB_ICONSTOP "Removing KORVEL for all users needs administrator rights." /SD IDOK
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
        Quit
      ${EndIf}
      !insertmacro RUN_ELEVATED "/ELEVATED $4 _?=$INSTDIR"
      ${If} $0 == "cancelled"
      ${OrIf} $0 == "failed"
        MessageBox MB_OK|MB_ICONSTOP "Removing KORVEL for all users needs administrator rights." /SD IDOK
        SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      ${Else}
        SetErrorLevel $0
      ${EndIf}
      Quit
    ${EndIf}
  ${EndIf}
  Call un.WaitForTheLauncherToEnd
FunctionEnd
