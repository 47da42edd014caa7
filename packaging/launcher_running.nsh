; The installation's own Launcher running while it is upgraded or removed.
;
; Windows keeps a running program's file from being written or deleted: an
; upgrade would leave the old Korvel.exe beside the new icons, and an
; uninstall would leave it while taking the shortcut and the uninstall entry
; away. So before either writes anything it looks whether Exe\Korvel.exe can
; be opened for writing; while it can't, the user is asked to end the
; Launcher (Retry / Cancel). A silent one, or Cancel, ends with its own exit
; code and changes nothing.

!define EXIT_LAUNCHER_RUNS 6
!define GENERIC_WRITE 0x40000000
!define FILE_SHARE_ALL 7  ; read, write and delete: only the running program's own hold refuses
!define OPEN_EXISTING 3
!define ERROR_SHARING_VIOLATION 32

!macro DEFINE_LAUNCHER_RUNNING_FUNCTIONS PREFIX
  ; $0: 1 when $INSTDIR\Exe\Korvel.exe is there and held by a running
  ; program, else 0. Uses $1 and $2.
  Function ${PREFIX}LauncherRuns
    StrCpy $0 0
    ${IfNot} ${FileExists} "$INSTDIR\Exe\Korvel.exe"
      Return
    ${EndIf}
    System::Call 'kernel32::CreateFileW(w "$INSTDIR\Exe\Korvel.exe", i ${GENERIC_WRITE}, i ${FILE_SHARE_ALL}, \
                  p 0, i ${OPEN_EXISTING}, i 0, p 0) p .r1 ?e'
    Pop $2
    ${If} $1 P= -1
      ; Any other failure (no rights, say) is no running Launcher: it is left to the installing itself.
      ${IfThen} $2 = ${ERROR_SHARING_VIOLATION} ${|} StrCpy $0 1 ${|}
    ${Else}
      System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
  FunctionEnd

  ; Returns once the installation's Launcher does not run; while it runs,
  ; asks the user to end it. Cancel (and a silent run) ends the program
  ; with EXIT_LAUNCHER_RUNS.
  Function ${PREFIX}WaitForTheLauncherToEnd
    ${Do}
      Call ${PREFIX}LauncherRuns
      ${If} $0 != 1
        Return
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "KORVEL is running from $INSTDIR\Exe: end it with E X I T, \
          then choose Retry; Cancel leaves the installation as it is." /SD IDCANCEL IDRETRY +3
      SetErrorLevel ${EXIT_LAUNCHER_RUNS}
      Quit
    ${Loop}
  FunctionEnd
!macroend
!insertmacro DEFINE_LAUNCHER_RUNNING_FUNCTIONS ""
!insertmacro DEFINE_LAUNCHER_RUNNING_FUNCTIONS "un."
