' Included by two_jobs.wsf through src=.
shared = "from helpers"
Function Twice(x)
    Twice = x * 2
End Function
