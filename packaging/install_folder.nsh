; Where an installation may lie, and the checks made before anything is
; written there.
;
; The Launcher names an analysis's Loading and Output files after the first
; full stop of the Geometry File's whole path, and the package's solver
; follows the same rule: in a folder whose path holds a full stop every
; analysis from its Dat folder would get the names of that folder. So no
; installation goes into such a folder, whoever chose it (the folder page,
; /D=, an installation found in the registry).
;
; The per-user default lies in the user's profile, whose name often holds a
; full stop (first.last; short names keep it: FIRST~1.LAS). Then the default
; is a folder of the user's own directly under the system drive's root,
; <drive>\KORVEL-<user name, each full stop made a hyphen>: a standard user
; may make a folder there and owns it. The rights the root hands down to a
; new folder let every signed-in user change what lies in it, so the
; installer makes that folder private (its owner, SYSTEM, the
; administrators), as the profile is. Two users of one computer get two
; folders; a folder of that name made by someone else can't be made private
; by this user, and the installer refuses it.

; Exit codes beside NSIS's 1 (cancelled) and 2 (aborted) and install_mode.nsh's:
; the folder's path holds a full stop; the folder can't be written or is
; another user's. Either way nothing was installed.
!define EXIT_FOLDER_HOLDS_FULL_STOP 4
!define EXIT_FOLDER_NOT_USABLE 5

; Full access for each file's owner (whoever made it), SYSTEM and the
; administrators, inherited by all inside; nothing from the root.
!define PRIVATE_FOLDER_SDDL "D:P(A;OICI;FA;;;OW)(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"
!define PROTECTED_DACL_SECURITY_INFORMATION 0x80000000

; $0: 1 when the path $INSTDIR holds a full stop, else 0. Uses $1 to $3.
Function FolderHoldsFullStop
  StrCpy $0 0
  StrLen $1 $INSTDIR
  StrCpy $2 0
  ${DoWhile} $2 < $1
    StrCpy $3 $INSTDIR 1 $2
    ${If} $3 == "."
      StrCpy $0 1
      Return
    ${EndIf}
    IntOp $2 $2 + 1
  ${Loop}
FunctionEnd

; $0: the per-user folder under the system drive's root. Uses $1 to $3.
Function FolderUnderTheRoot
  System::Call 'advapi32::GetUserNameW(w .r1, *i ${NSIS_MAX_STRLEN}) i .r2'
  ${If} $2 == 0
  ${OrIf} $1 == ""
    ReadEnvStr $1 USERNAME
  ${EndIf}
  StrCpy $0 ""
  StrCpy $3 0
  ${Do}
    StrCpy $2 $1 1 $3
    ${If} $2 == ""
      ${ExitDo}
    ${EndIf}
    ${IfThen} $2 == "." ${|} StrCpy $2 "-" ${|}
    StrCpy $0 "$0$2"
    IntOp $3 $3 + 1
  ${Loop}
  StrCpy $1 $WINDIR 2
  StrCpy $0 "$1\KORVEL-$0"
FunctionEnd

; The per-user default: the one under the profile when its path holds no
; full stop, else the user's own folder under the root.
Function PerUserDefaultFolder
  StrCpy $INSTDIR "$LOCALAPPDATA\Programs\KORVEL"
  Call FolderHoldsFullStop
  ${If} $0 == 1
    Call FolderUnderTheRoot
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

; Checks $INSTDIR before anything is installed, making it (and, for the
; per-user folder under the root, making it private) on the way.
; $0: 0 when it may be used, else the exit code, with the message in $1.
Function CheckFolder
  Call FolderHoldsFullStop
  ${If} $0 == 1
    StrCpy $0 ${EXIT_FOLDER_HOLDS_FULL_STOP}
    StrCpy $1 "KORVEL can't go into $INSTDIR, whose path holds a full stop: it names an analysis's \
        Loading and Output files after the first full stop of the whole path, so its folder must have none."
    Return
  ${EndIf}
  StrCpy $1 "Setup can't write in $INSTDIR (it is another user's, or no folder): choose another folder."
  CreateDirectory $INSTDIR
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    ; A file of that name, or a folder that could not be made.
    StrCpy $0 ${EXIT_FOLDER_NOT_USABLE}
    Return
  ${EndIf}
  ${If} $AllUsers != 1
    Call FolderUnderTheRoot
    ${If} $0 == $INSTDIR
      System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${PRIVATE_FOLDER_SDDL}", \
                    i ${SDDL_REVISION_1}, *p .r2, p 0) i .r0'
      ${If} $0 = 0
        StrCpy $0 ${EXIT_FOLDER_NOT_USABLE}
        Return
      ${EndIf}
      System::Call 'advapi32::GetSecurityDescriptorDacl(p r2, *i .r3, *p .r4, *i .r5) i .r0'
      ; Only the folder's owner may change who has rights on it.
      System::Call 'advapi32::SetNamedSecurityInfoW(w "$INSTDIR", i ${SE_FILE_OBJECT}, \
                    i ${DACL_SECURITY_INFORMATION}|${PROTECTED_DACL_SECURITY_INFORMATION}, p 0, p 0, p r4, p 0) i .r0'
      System::Call 'kernel32::LocalFree(p r2)'
      ${If} $0 != 0
        DetailPrint "Could not make $INSTDIR private (error $0)"
        StrCpy $0 ${EXIT_FOLDER_NOT_USABLE}
        Return
      ${EndIf}
    ${EndIf}
  ${EndIf}
  ClearErrors
  FileOpen $2 "$INSTDIR\KORVEL-setup-write-test.tmp" w
  ${If} ${Errors}
    StrCpy $0 ${EXIT_FOLDER_NOT_USABLE}
    Return
  ${EndIf}
  FileClose $2
  Delete "$INSTDIR\KORVEL-setup-write-test.tmp"
  StrCpy $0 0
FunctionEnd

; The folder page's Next: a folder that can't be used keeps the user on the
; page; a running Launcher of the installation is asked to end first.
Function FolderPageLeave
  Call CheckFolder
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP $1
    Abort
  ${EndIf}
  Call WaitForTheLauncherToEnd
FunctionEnd

; A silent installer checks its folder and the Launcher at once, and ends
; with the exit code of what it refused.
Function CheckSilentInstallation
  Call CheckFolder
  ${If} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP $1 /SD IDOK
    SetErrorLevel $0
    Quit
  ${EndIf}
  Call WaitForTheLauncherToEnd
FunctionEnd
