; The uninstaller's byte-for-byte comparison of two files.

; Pops two paths; pushes 1 when both files are there and hold the same
; bytes, else 0. The sizes are compared first: a file the user made larger
; is never read.
Function un.SameBytes
  Exch $R1
  Exch
  Exch $R0
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  StrCpy $R6 0
  ClearErrors
  FileOpen $R2 $R0 r
  ${IfNot} ${Errors}
    FileOpen $R3 $R1 r
    ${IfNot} ${Errors}
      FileSeek $R2 0 END $R4
      FileSeek $R3 0 END $R5
      ${If} $R4 = $R5
        FileSeek $R2 0 SET
        FileSeek $R3 0 SET
        StrCpy $R6 1
        ${DoWhile} $R4 > 0
          FileReadByte $R2 $R0
          FileReadByte $R3 $R1
          ${If} ${Errors}
          ${OrIf} $R0 != $R1
            StrCpy $R6 0
            ${ExitDo}
          ${EndIf}
          IntOp $R4 $R4 - 1
        ${Loop}
      ${EndIf}
      FileClose $R3
    ${EndIf}
    FileClose $R2
  ${EndIf}
  StrCpy $R0 $R6
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Exch $R0
  Exch
  Pop $R1
FunctionEnd
