' A compile error stops the script before anything runs.
WScript.Echo "never printed"
If x Then
    y = 1
Next
' error: compile_error.vbs(5, 1) 第 5 行，第 1 列：编译错误 1055：意外的 'Next'
